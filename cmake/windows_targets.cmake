# zqrunadd.exe: Windows GUI subsystem 4.0, its own entry point, no C run-time
# library, nothing imported but kernel32, advapi32, user32 and winspool.drv.
set(SUPPORT_SOURCES
  src/support/code_page.cpp
  src/support/command_runner.cpp
  src/support/installer_log.cpp
  src/support/platform_probes.cpp
)
set(INSTALL_SOURCES
  src/install/entry.cpp
  src/install/install_stages.cpp
  src/install/registry_text.cpp
  src/install/run_ntadd.cpp
)
# -march=i386: the processor of Windows 95 and NT 3.51 (NT 4.0 wants a 486).
# Left to its default, the i686 compiler emits cmov, which a 386, a 486 and
# a Pentium fault on; the footprint check disassembles the image to hold this.
set(PRODUCT_COMPILE_OPTIONS
  -march=i386 -Oz -nostdinc++ -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -fno-stack-protector -fno-threadsafe-statics -mpreferred-stack-boundary=2)
set(PRODUCT_DEFINITIONS WIN32_LEAN_AND_MEAN __USE_MINGW_ANSI_STDIO=0 _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0400)
set(PRODUCT_SYSTEM_LIBS kernel32 advapi32 user32 winspool)

# The version resource and the manifest, made from the project's version and
# from what a setup author may set. Strings left empty are left out.
set(ZQ_COMPANY "" CACHE STRING "CompanyName in the version resource (left out when empty)")
set(ZQ_PRODUCT_NAME "" CACHE STRING "ProductName in the version resource (left out when empty)")
set(ZQ_COPYRIGHT "" CACHE STRING "LegalCopyright in the version resource (left out when empty)")
set(ZQ_VERSION_PARTS)
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND ZQ_VERSION_PARTS 0)
  else()
    list(APPEND ZQ_VERSION_PARTS ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN ZQ_VERSION_PARTS "." ZQ_VERSION)
list(JOIN ZQ_VERSION_PARTS "," ZQ_VERSION_COMMAS)
set(ZQ_OPTIONAL_STRINGS "")
foreach(entry "CompanyName;ZQ_COMPANY" "ProductName;ZQ_PRODUCT_NAME" "LegalCopyright;ZQ_COPYRIGHT")
  list(GET entry 0 key)
  list(GET entry 1 variable)
  if(NOT "${${variable}}" STREQUAL "")
    string(REPLACE "\"" "\"\"" text "${${variable}}") # a quote in a resource string is doubled
    string(APPEND ZQ_OPTIONAL_STRINGS "            VALUE \"${key}\", \"${text}\"\n")
  endif()
endforeach()
set(ZQ_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resource)
configure_file(src/install/zqrunadd.manifest.in ${ZQ_RESOURCE_DIR}/zqrunadd.manifest @ONLY)
configure_file(src/install/zqrunadd.rc.in ${ZQ_RESOURCE_DIR}/zqrunadd.rc @ONLY)
set_source_files_properties(${ZQ_RESOURCE_DIR}/zqrunadd.rc PROPERTIES
  OBJECT_DEPENDS ${ZQ_RESOURCE_DIR}/zqrunadd.manifest)

# memset and memcpy are the compiler's own calls, so they stay out of
# link-time optimisation, which could turn their loops into calls to themselves.
set_source_files_properties(src/support/compiler_calls.cpp PROPERTIES
  COMPILE_OPTIONS "-fno-lto;-fno-builtin;-fno-tree-loop-distribute-patterns")

# The support services as the Wine test programs link them, with a C run-time
# of their own.
add_library(zq_support OBJECT ${PURE_RULES} ${SUPPORT_SOURCES})
target_compile_options(zq_support PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_compile_definitions(zq_support PUBLIC ${PRODUCT_DEFINITIONS})

# The program is built from the same sources in one link-time optimised whole
# (about 700 bytes less code), with its own memset and memcpy.
add_executable(zqrunadd WIN32 ${INSTALL_SOURCES} ${PURE_RULES} ${SUPPORT_SOURCES} src/support/compiler_calls.cpp
  ${ZQ_RESOURCE_DIR}/zqrunadd.rc)
target_compile_options(zqrunadd PRIVATE ${PRODUCT_COMPILE_OPTIONS} -flto)
target_compile_definitions(zqrunadd PRIVATE ${PRODUCT_DEFINITIONS})
# The layout script shares one section between the read-only data and the
# imports, which keeps the image a 512-byte block smaller. No time stamp, so
# that one source gives one image. ASLR, DEP and no SEH handlers (the program
# installs none) for the reviews of 32-bit images; old loaders ignore them.
# Terminal Services aware: without it a terminal server gives the program a
# private per-user Windows directory, and the log would land there instead.
target_link_options(zqrunadd PRIVATE
  ${PRODUCT_COMPILE_OPTIONS} -flto
  -nostdlib -s
  -Wl,-T,${CMAKE_CURRENT_SOURCE_DIR}/cmake/zqrunadd.ld
  -Wl,--dynamicbase,--nxcompat,--no-seh,--tsaware
  -Wl,--no-insert-timestamp
  -Wl,-e,_ProgramStart
  -Wl,--subsystem,windows:4.0
  -Wl,--major-os-version,4 -Wl,--minor-os-version,0
  -Wl,--gc-sections)
target_link_libraries(zqrunadd PRIVATE ${PRODUCT_SYSTEM_LIBS})
# For a setup author: sign the image right after the link (see scripts/sign
# for the variables it reads). A failed signing fails the build.
option(ZQ_SIGN "Sign zqrunadd.exe after the link with scripts/sign" OFF)
if(ZQ_SIGN)
  add_custom_command(TARGET zqrunadd POST_BUILD
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/sign $<TARGET_FILE:zqrunadd> VERBATIM)
endif()
set_target_properties(zqrunadd PROPERTIES LINKER_LANGUAGE CXX
  LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/zqrunadd.ld)
