# Optimised builds (Release, RelWithDebInfo, MinSizeRel) get the hardening Debian builds its
# packages with, the flags `DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags` gives:
#   format        -Wformat -Werror=format-security
#   fortify       -D_FORTIFY_SOURCE=2 (checked copies of memcpy, sprintf, read, ...)
#   stackprotector -fstack-protector-strong
#   relro, bindnow -Wl,-z,relro -Wl,-z,now (the whole relocation table read-only after start)
#   pie           position-independent executables
# Set here rather than by the scripts, so a plain `cmake -DCMAKE_BUILD_TYPE=Release` gets them too.
# Sanitizer and fuzzing builds go without: fortified functions hide overflows from
# AddressSanitizer. tests/package/hardening.sh fails when any of these is missing from a binary.
if(NOT SANITIZE AND NOT FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  # Executables are compiled with -fPIE and linked with -pie (objects that use Qt keep Qt's -fPIC,
  # which a PIE may hold too).
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()

  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  # _FORTIFY_SOURCE is undefined first: some compilers define a level of their own.
  add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>"
                      "$<${optimised}:-Wformat;-Werror=format-security>")
  add_link_options("$<${optimised}:LINKER:-z,relro;LINKER:-z,now>")
endif()
