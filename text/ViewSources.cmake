# The editor view (cursor, selection, movement, typing, clipboard, mouse and
# the command table), built into orvex_text. It reads its options from the
# editor profile, hence the settings library.
target_sources(orvex_text PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CLuView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CLuViewCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CursorSteps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileViewOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RuledLineCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectionState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TypedTextBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewDocumentCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewModes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewMouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewMovement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewScrolling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewSelection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewTyping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewportState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordMotion.cpp)
target_link_libraries(orvex_text PUBLIC orvex_settings)
