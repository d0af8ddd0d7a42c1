# cmake -DSTAGE=<folder> -DOUTPUT=<file> -P installed_files.cmake
# Writes the NSIS macro DeleteInstalledFiles: one Delete for every file the
# installer puts into $INSTDIR, then an RMDir (empty folders only) for each of
# its folders, the deepest first. The user's own files beside them stay.
file(GLOB_RECURSE files RELATIVE ${STAGE} ${STAGE}/*)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${STAGE} ${STAGE}/*)
set(folders ${entries})
if(files)
  list(REMOVE_ITEM folders ${files})
endif()
list(SORT files)
list(SORT folders)
list(REVERSE folders)  # "skins\\a" sorts after "skins": children first

set(text "!macro DeleteInstalledFiles\n")
foreach(file IN LISTS files)
  string(REPLACE "/" "\\" file "${file}")
  string(APPEND text "  Delete \"$INSTDIR\\${file}\"\n")
endforeach()
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" folder "${folder}")
  string(APPEND text "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
string(APPEND text "!macroend\n")
file(WRITE ${OUTPUT} "${text}")
