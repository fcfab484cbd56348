# Colouring and scrolling computations of the view: colour table, row
# attributes and runs, keywords, URLs, mail addresses and the search
# highlight, gutter, ruler, geometry and scrolling rules. Built into
# orvex_display; the settings converter needs the settings library.
target_sources(orvex_display PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Gutter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HighlightScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeywordMatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenderSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RowAttributes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RowRuns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Ruler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewGeometry.cpp)
target_link_libraries(orvex_display PUBLIC orvex_settings)
