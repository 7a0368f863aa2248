# Line references and the line browser. Paths are relative to src/.
list(APPEND VORMELD_CORE_EXTRA
  search/LineReferences.cpp
)
list(APPEND VORMELD_GUI_EXTRA
  search/frmLineBrowser.cpp
  search/frmLineGeo.cpp
)
