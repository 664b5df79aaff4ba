// The arithmetic of WaitSeconds, kept apart from the clock and the pump.
#pragma once

// How long WaitSeconds(seconds) lasts when started at sinceMidnight: the wait
// runs from the start time rounded to the whole second, so it may be up to
// half a second shorter or longer than asked, and is negative when it is over
// before it begins.
double WaitSpan(float sinceMidnight, int seconds);
