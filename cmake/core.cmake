# The program's pure logic: plain C++ that includes no <windows.h> and reads
# no clock, the same on every system. The program links it as norq_core;
# tests/logic builds the same files natively and tests them without Wine.
# Paths are from the top of the tree.
set(NORQ_CORE_SOURCES
  host/backlog.cpp
  host/timing.cpp
  idler/auto_idle.cpp
  idler/transfer_text.cpp
  lines/lines.cpp
  player/commands.cpp
  player/folders.cpp
  settings/auto_idle_setting.cpp
  ui/drag_math.cpp
  ui/rounding.cpp
  ui/utf8.cpp
)
