// The arithmetic of a pause to a whole second, kept apart from the clock.
#pragma once

// How long a pause of `seconds` lasts when started at sinceMidnight: it runs
// from the start time rounded to the whole second, so it may be up to half a
// second shorter or longer than asked, and is negative when it is over
// before it begins.
double WaitSpan(float sinceMidnight, int seconds);
