# HTML export and tight programs. Paths are relative to src/.
list(APPEND VORMELD_CORE_EXTRA
  html/modYabHTML.cpp
  html/LabelLinks.cpp
  html/HtmlSettingsFile.cpp
  run/modGeneral1.cpp
)
list(APPEND VORMELD_GUI_EXTRA
  html/frmHTMLOptions.cpp
  html/HtmlExport.cpp
  run/TightExport.cpp
)
