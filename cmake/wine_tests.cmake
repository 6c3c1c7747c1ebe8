# zq_wine_test(NAME [WIN64] [TIMEOUT S] [COST N] [LABELS L...] [ENVIRONMENT E...] COMMAND ...)
# A test that runs Windows code under Wine, in a fresh copy of the cached
# prefix of its own (tools/world/with-prefix; ZQ_WINEPREFIX names it), so
# that the Wine tests run side by side and none sees another's changes or
# depends on the order they run in. A Windows program of this build is run
# through tools/world/run, CTest's emulator: name it as
# ${ZQ_RUN} $<TARGET_FILE:...>. COST orders the longest first where CTest has
# no times of its own yet (in the emulated guest it never has).
set(ZQ_RUN ${PROJECT_SOURCE_DIR}/tools/world/run)
function(zq_wine_test name)
  cmake_parse_arguments(T "WIN64" "TIMEOUT;COST" "COMMAND;LABELS;ENVIRONMENT" ${ARGN})
  set(env WINEDEBUG=-all ${T_ENVIRONMENT})
  if(T_WIN64)
    list(APPEND env ZQ_WINEARCH=win64)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 900)
  endif()
  if(NOT T_COST)
    set(T_COST 0)
  endif()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/world/with-prefix ${CMAKE_BINARY_DIR}/prefixes/${name} ${T_COMMAND})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT} COST ${T_COST}
    LABELS "wine;${T_LABELS}")
endfunction()
