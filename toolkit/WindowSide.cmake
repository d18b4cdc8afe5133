# Sources of the toolkit's window side, added to orv_toolkit.
file(GLOB orv_toolkit_window_sources CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/native/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paint/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/*.cpp)
target_sources(orv_toolkit PRIVATE ${orv_toolkit_window_sources})
target_include_directories(orv_toolkit PUBLIC
  ${CMAKE_CURRENT_LIST_DIR}/native
  ${CMAKE_CURRENT_LIST_DIR}/window
  ${CMAKE_CURRENT_LIST_DIR}/paint
  ${CMAKE_CURRENT_LIST_DIR}/edit
  ${CMAKE_CURRENT_LIST_DIR}/controls)
target_link_libraries(orv_toolkit PUBLIC imm32 gdi32 user32)
