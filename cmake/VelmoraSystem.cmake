# velmora_add_system(<target> PACKAGE <folder> SOURCES <files...> [SKINS <dir>] [LIBRARIES <libs...>])
# Builds a tournament system as a shared library in Systems/<folder>/ beside the program,
# copies its skin folders next to it, and installs both in the same layout.
function(velmora_add_system target)
    cmake_parse_arguments(ARG "" "PACKAGE;SKINS" "SOURCES;LIBRARIES" ${ARGN})
    add_library(${target} MODULE ${ARG_SOURCES})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/systems)
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
    set_target_properties(${target} PROPERTIES
        PREFIX ""
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden
        LIBRARY_OUTPUT_DIRECTORY ${VELMORA_SYSTEMS_DIR}/${ARG_PACKAGE}
        BUILD_RPATH "$ORIGIN"
        INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${target} LIBRARY DESTINATION ${VELMORA_INSTALL_DIR}/Systems/${ARG_PACKAGE})
    if(ARG_SKINS)
        file(GLOB_RECURSE skin_files CONFIGURE_DEPENDS ${ARG_SKINS}/*)
        set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_skins.stamp)
        add_custom_command(OUTPUT ${stamp}
            COMMAND ${CMAKE_COMMAND} -E copy_directory ${ARG_SKINS}
                    ${VELMORA_SYSTEMS_DIR}/${ARG_PACKAGE}
            COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
            DEPENDS ${skin_files}
            COMMENT "Copying the skins of ${target}")
        add_custom_target(${target}_skins ALL DEPENDS ${stamp})
        add_dependencies(${target} ${target}_skins)
        install(DIRECTORY ${ARG_SKINS}/ DESTINATION ${VELMORA_INSTALL_DIR}/Systems/${ARG_PACKAGE})
    endif()
endfunction()

# One folder of a bundled system as a static library: every source in it, its headers
# public, position independent with hidden symbols so that it disappears inside the module.
# What follows the folder is passed to target_link_libraries.
function(velmora_system_part target folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
                                        ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
    target_link_libraries(${target} ${ARGN})
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()
