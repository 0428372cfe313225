# Registers a Qt Test program with ctest; every test runs headless with SDL's dummy output.
function(sondrix_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE sx_testsupport Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;ASAN_OPTIONS=detect_leaks=0"
        TIMEOUT 300)
endfunction()
