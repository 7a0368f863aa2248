# Find and replace, subs and labels, line references. Paths are relative to src/.
list(APPEND VORMELD_CORE_EXTRA
  search/FindText.cpp
  search/SubsLabelsIndex.cpp
)
list(APPEND VORMELD_GUI_EXTRA
  search/frmFind.cpp
  search/SearchCommands.cpp
  search/SubsAndLabels.cpp
)
include(search/linerefs.cmake)
