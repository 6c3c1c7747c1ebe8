# zqrunadd.exe: Windows GUI subsystem 4.0, its own entry point, no C run-time
# start-up, nothing linked but system DLLs and msvcrt.
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
set(PRODUCT_COMPILE_OPTIONS
  -Os -nostdinc++ -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -fno-stack-protector -fno-threadsafe-statics)
set(PRODUCT_DEFINITIONS WIN32_LEAN_AND_MEAN __USE_MINGW_ANSI_STDIO=0 _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0400)
set(PRODUCT_SYSTEM_LIBS kernel32 advapi32 user32 shell32 winspool msvcrt gcc)

add_library(zq_support OBJECT ${PURE_RULES} ${SUPPORT_SOURCES})
target_compile_options(zq_support PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_compile_definitions(zq_support PUBLIC ${PRODUCT_DEFINITIONS})

add_executable(zqrunadd WIN32 ${INSTALL_SOURCES} src/install/zqrunadd.rc $<TARGET_OBJECTS:zq_support>)
target_compile_options(zqrunadd PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_compile_definitions(zqrunadd PRIVATE ${PRODUCT_DEFINITIONS})
set_source_files_properties(src/install/zqrunadd.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/install/zqrunadd.manifest)
target_link_options(zqrunadd PRIVATE
  -nostdlib -s
  -Wl,-e,_ProgramStart
  -Wl,--subsystem,windows:4.0
  -Wl,--major-os-version,4 -Wl,--minor-os-version,0
  -Wl,--gc-sections)
target_link_libraries(zqrunadd PRIVATE ${PRODUCT_SYSTEM_LIBS})
set_target_properties(zqrunadd PROPERTIES LINKER_LANGUAGE CXX)
