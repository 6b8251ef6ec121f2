# The folders of src/ are layers; a file may include its own folder and the
# folders below it, never one above it or beside it:
#
#   shell  >  app  >  report  >  charts  >  export, appearance  >  tables  >  results  >  ui
#     >  chartengine  >  platform
#
# and no file of the core library includes a widget header, Qt's or ours.
# Arguments: SRC (the src folder), CORE and WIDGETS ("|"-separated files of
# zavevad_core and zavevad_ui).
cmake_minimum_required(VERSION 3.25)

set(rank_platform 0)
set(rank_chartengine 1)
set(rank_ui 2)
set(rank_results 3)
set(rank_tables 4)
set(rank_export 5)
set(rank_appearance 5)
set(rank_charts 6)
set(rank_report 7)
set(rank_app 8)
set(rank_shell 9)

string(REPLACE "|" ";" core_files "${CORE}")
string(REPLACE "|" ";" widget_files "${WIDGETS}")

# Headers of ours that need QtWidgets: those of zavevad_ui, as include paths.
set(widget_headers "")
foreach(f IN LISTS widget_files)
    if(f MATCHES "\\.h$")
        file(RELATIVE_PATH rel "${SRC}" "${f}")
        list(APPEND widget_headers "${rel}")
    endif()
endforeach()

set(bad "")
file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
foreach(rel IN LISTS sources)
    string(REGEX MATCH "^[^/]+" folder "${rel}")
    if(NOT DEFINED rank_${folder})
        continue() # main.cpp: the top
    endif()
    file(STRINGS "${SRC}/${rel}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^/\"]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^/\"]+)/.*" "\\1" target "${line}")
        if(target STREQUAL folder)
            continue()
        endif()
        if(NOT DEFINED rank_${target} OR NOT rank_${target} LESS rank_${folder})
            list(APPEND bad "${rel}: ${line} (${folder} may not include ${target})")
        endif()
    endforeach()
endforeach()

foreach(f IN LISTS core_files)
    if(NOT EXISTS "${f}")
        continue()
    endif()
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
        if(line MATCHES "<(QtWidgets/|QWidget|QApplication|QDialog|QLabel|QPushButton|QMainWindow|QFileDialog|QColorDialog|QFontDialog|QMessageBox)")
            list(APPEND bad "${f}: ${line} (a core file includes a Qt Widgets header)")
        endif()
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
        if(header IN_LIST widget_headers)
            list(APPEND bad "${f}: ${line} (a core file includes a widget header)")
        endif()
    endforeach()
endforeach()

if(bad)
    string(REPLACE ";" "\n" bad "${bad}")
    message(FATAL_ERROR "Layering broken:\n${bad}")
endif()
list(LENGTH sources n)
message(STATUS "${n} files follow the layers")
