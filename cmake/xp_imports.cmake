# Fails when an executable would not start on Windows XP SP3: it imports from
# a DLL that XP lacks, or a function that XP's DLLs lack, or its header asks
# for a newer subsystem than XP's 5.1. XP's loader refuses such a program
# with a message box before any of its code runs.
#   cmake -DOBJDUMP=<objdump> -DEXE=<file> -P xp_imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()

# The system DLLs that XP has and that a program of this kind may use.
set(xp_dlls "^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|msvcrt|winmm|quartz|uxtheme|version|winspool)\\.(dll|drv)$")
# Functions added after XP SP3 that a compiler's runtime or a newer API habit
# could bring in: not all there are, but every one seen in mingw-w64's
# runtimes and the families of the usual suspects. One pattern a line (CMake
# takes only a few groups in one expression).
set(newer
  GetTickCount64 "(Initialize|Acquire|Release|TryAcquire)SRWLock.*" ".*ConditionVariable.*"
  "InitOnce.*" "Fls(Alloc|Free|GetValue|SetValue)" InitializeCriticalSectionEx
  "Create(Event|Mutex|Semaphore|WaitableTimer)Ex[AW]" GetCurrentProcessorNumber
  "QueryFullProcessImageName[AW]" GetFileInformationByHandleEx SetFileInformationByHandle
  "GetFinalPathNameByHandle[AW]" "CompareString(Ex|Ordinal)" LCMapStringEx GetLocaleInfoEx
  LocaleNameToLCID LCIDToLocaleName "Get(User|System)DefaultLocaleName" ResolveLocaleName
  EnumSystemLocalesEx "Get(Date|Time|Number|Currency)FormatEx" "Cancel(IoEx|SynchronousIo)"
  GetSystemTimePreciseAsFileTime "CreateSymbolicLink[AW]" GetErrorMode
  "(Get|Set)ThreadErrorMode" "Wow64.*" CreateFile2 GetProductInfo "Query(Thread|Process)CycleTime"
  SetDefaultDllDirectories "(Add|Remove)DllDirectory" GetQueuedCompletionStatusEx
  "RegisterApplication(Restart|RecoveryCallback)" "Wer.*" FlushProcessWriteBuffers
  InterlockedCompareExchange64 "GetNamedPipe(Client|Server).*"
  "(Set|Is)ProcessDPIAware" "GetDpiFor.*" "SetProcessDpiAwareness.*" ".*ForDpi"
  EnableNonClientDpiScaling "ChangeWindowMessageFilter.*" "(Add|Remove)ClipboardFormatListener"
  "ShutdownBlockReason.*" CalculatePopupWindowPosition "(LogicalToPhysical|PhysicalToLogical)Point.*"
  ".*TouchWindow" GetGestureInfo RegisterPowerSettingNotification ".*DisplayConfig.*"
  "(Get|Set)WindowDisplayAffinity" UpdateLayeredWindowIndirect "GetPointer.*"
  "Reg(GetValue|DeleteKeyEx|DeleteTree|SetKeyValue|CopyTree)[AW]" "Event(Register|Unregister|Write.*)"
  "SHGetKnownFolder.*" SHSetKnownFolderPath "SHCreateItem.*" SHGetStockIconInfo
  SHGetPropertyStoreForWindow SHQueryUserNotificationState SetCurrentProcessExplicitAppUserModelID
  "TaskDialog(Indirect)?" "LoadIcon(Metric|WithScaleDown)" CoGetApartmentType)
# XP's msvcrt.dll is version 7.0: none of the bounds-checked "_s" functions,
# no locale-taking "_l" ones, no _get_/_set_ accessors, no 64-bit seeks.
set(newer_msvcrt "[a-z_0-9]+_s" "_[a-z_0-9]+_l" "_get_.*" "_set_.*" "_fseeki64" "_ftelli64")

string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(found "")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    if(NOT dll MATCHES "${xp_dlls}")
      list(APPEND found "${dll} (not on XP)")
    endif()
  elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  (.+)$")
    set(fn "${CMAKE_MATCH_1}")
    set(patterns ${newer})
    if(dll STREQUAL "msvcrt.dll")
      list(APPEND patterns ${newer_msvcrt})
    endif()
    foreach(pattern IN LISTS patterns)
      if(fn MATCHES "^${pattern}$")
        list(APPEND found "${dll}: ${fn}")
        break()
      endif()
    endforeach()
  elseif(line MATCHES "^(MajorSubsystemVersion|MinorSubsystemVersion)\t+([0-9]+)")
    set(${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  endif()
endforeach()

if("${MajorSubsystemVersion}.${MinorSubsystemVersion}" VERSION_GREATER 5.1)
  list(APPEND found "subsystem version ${MajorSubsystemVersion}.${MinorSubsystemVersion}")
endif()
if(NOT DEFINED MajorSubsystemVersion)
  list(APPEND found "no subsystem version in the header (is this a PE file?)")
endif()
if(found)
  list(JOIN found "\n  " found)
  message(FATAL_ERROR "${EXE} would not start on Windows XP:\n  ${found}")
endif()
