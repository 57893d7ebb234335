# Settings shared by every target of the project: warnings, and Qt's guards
# against implicit conversions between byte strings and QString.
function(quillorin_setup_target target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
        -Wshadow -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
    if(QUILLORIN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
        QT_NO_FOREACH QT_NO_KEYWORDS)
endfunction()

# Dependencies run one way (window -> dialogs and print -> widgets -> workspace
# -> data), and the build holds to it: a library's headers are reached through
# a folder of its own in the build tree that links to its source folders only,
# so a target sees the folders of itself and of the libraries it links, and an
# include running back up fails to build.
function(quillorin_library_includes target)
    set(stage ${CMAKE_BINARY_DIR}/include/${target})
    foreach(folder IN LISTS ARGN)
        get_filename_component(parent ${stage}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${stage}/${folder} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${stage})
endfunction()

# A Qt Test executable registered with CTest. GUI tests run on the offscreen
# platform so that they need no display; every test pins its own locale.
function(quillorin_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    quillorin_setup_target(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    target_compile_definitions(${name} PRIVATE
        QT_TESTCASE_BUILDDIR="${CMAKE_CURRENT_BINARY_DIR}" QT_TESTCASE_SOURCEDIR="${CMAKE_CURRENT_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC;QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu"
        TIMEOUT 300)
endfunction()
