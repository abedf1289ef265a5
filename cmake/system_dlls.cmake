# The only DLLs a shipped program may import statically: the known DLLs of Windows 10 (the
# KnownDLLs list of the session manager, plus ntdll, which every process maps first). The
# loader takes these from System32 whatever lies beside the exe. Every other library of
# Windows is loaded at run time from System32 by full path (support/system_library.h).
# Names in lower case; tests/build checks every shipped exe against this list.
set(VIREO_ALLOWED_IMPORTS
  advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll gdiplus.dll
  imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ntdll.dll ole32.dll
  oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll
  user32.dll wldap32.dll ws2_32.dll)
