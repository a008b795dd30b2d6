# The layering check must fail on includes against the layers in either form, planted in a
# copy of the sources: <shell/program.h> and "game/program.h" in view/.
#   cmake -DROOT=<source dir> -DWORK=<scratch dir> -P planted_include.cmake
file(REMOVE_RECURSE ${WORK})
file(COPY ${ROOT}/src ${ROOT}/cmake DESTINATION ${WORK})
file(APPEND ${WORK}/src/view/look.cpp "#include <shell/program.h>\n#include \"game/program.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${WORK}/cmake/check_layering.cmake
                RESULT_VARIABLE failed ERROR_VARIABLE said)
file(REMOVE_RECURSE ${WORK})
if(NOT failed OR NOT said MATCHES "src/view/look.cpp may not include shell/program.h"
   OR NOT said MATCHES "src/view/look.cpp may not include game/program.h")
    message(FATAL_ERROR "a planted include passed the layering check: ${said}")
endif()
