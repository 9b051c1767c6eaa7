# Dormora.exe and its window tests, cross-built with MinGW-w64 and run under Wine.
enable_language(RC)
# A resource file that fails to compile must fail the build: the manifest carries styles and DPI awareness.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++ -municode)
# Only what the program uses of the statically linked libraries ends up in it.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
configure_file(${CMAKE_SOURCE_DIR}/app/Contact.h.in ${CMAKE_BINARY_DIR}/generated/app/Contact.h)

add_library(dormora_ui STATIC
    ui/Application.cpp
    ui/Controls.cpp
    ui/Form.cpp
    ui/Led.cpp
    ui/Spin.cpp
    ui/Text.cpp
    app/Main.cpp
    task/Prompt.cpp
    task/SystemActionsWin32.cpp
    password/CheckPW.cpp
    password/SetPass.cpp
    about/About.cpp
    about/Banner.cpp
    password/ProfileWin32.cpp)
target_include_directories(dormora_ui PUBLIC ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(dormora_ui PUBLIC dormora_logic comctl32 uxtheme shell32 ole32 advapi32 gdi32 user32)

add_executable(Dormora WIN32 app/Dormora.cpp app/Dormora.rc)
target_link_libraries(Dormora PRIVATE dormora_ui)
target_link_options(Dormora PRIVATE -s)

file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(dormora_wintests ${WIN_TESTS} app/Dormora.rc)
target_link_libraries(dormora_wintests PRIVATE dormora_ui GTest::gtest crypt32)
add_test(NAME windows COMMAND dormora_wintests)
add_subdirectory(tests/e2e)
add_subdirectory(bench)
