# velmora_add_plugin_test(<name> SOURCES <files...> LIBRARIES <libs...> [ENVIRONMENT <k=v...>])
# One QtTest executable for a bundled system or the kit, run headless by CTest. It links
# Qt Test and what it names (the kit, a system's rules), never the host or the web engine,
# so that changing a rule rebuilds a handful of files.
include_guard(GLOBAL)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tests/plugin-runtime)
file(CHMOD ${CMAKE_BINARY_DIR}/tests/plugin-runtime
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(velmora_add_plugin_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
    target_compile_options(${name} PRIVATE -Wall -Wextra)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/tests/plugin-runtime;LC_ALL=C.UTF-8;${ARG_ENVIRONMENT}")
endfunction()
