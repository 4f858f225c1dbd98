# velmora_add_plugin_test(<name> SOURCES <files...> LIBRARIES <libs...> [ENVIRONMENT <k=v...>])
# One QtTest executable for a bundled system or the kit, run headless by CTest. It links
# Qt Test, the modal driver and what it names (the kit, a system's rules), never the host or
# the web engine, so that changing a rule rebuilds a handful of files.
include_guard(GLOBAL)

# The one modal-dialog driver of every test, host and plug-in alike: Qt alone, so that a
# plug-in test can use it without linking the host.
add_library(velmora_modal_driver STATIC ${CMAKE_CURRENT_LIST_DIR}/support/ModalDriver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/ModalDriver.h)
target_link_libraries(velmora_modal_driver PUBLIC Qt6::Widgets Qt6::Test)
target_include_directories(velmora_modal_driver PUBLIC ${CMAKE_CURRENT_LIST_DIR}/support)
target_compile_options(velmora_modal_driver PRIVATE -Wall -Wextra)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tests/plugin-runtime)
file(CHMOD ${CMAKE_BINARY_DIR}/tests/plugin-runtime
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(velmora_add_plugin_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test velmora_modal_driver ${ARG_LIBRARIES})
    target_compile_options(${name} PRIVATE -Wall -Wextra)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/tests/plugin-runtime;LC_ALL=C.UTF-8;${ARG_ENVIRONMENT}")
endfunction()
