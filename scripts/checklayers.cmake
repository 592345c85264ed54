# cmake -DROOT=<source dir> -P scripts/checklayers.cmake
#
# Fails when a source file includes a header of a higher layer, or when a
# layer below the widget line includes a Qt Widgets header. The layers,
# from the bottom up, are the folders of the README's table.
cmake_minimum_required(VERSION 3.25)

set(layers
    platform textctl/model textctl/rtf textctl/render textctl textctl/editing data merge
    platformui textctl/view textctl/dialogs textctl/bars commands office frame generator app testsupport tools/rtfconv)
set(first_widget_layer platformui)
set(widget_headers QWidget QMainWindow QDialog QApplication QMdiArea QMenu QAction QComboBox
    QLabel QToolBar QMessageBox QFileDialog QScrollBar QAbstractScrollArea QPushButton)

# The index of the deepest layer that holds `path` (-1 for none).
function(layer_of path out)
    get_filename_component(dir "${path}" DIRECTORY)
    set(best -1)
    set(best_length 0)
    set(index 0)
    foreach(layer IN LISTS layers)
        string(LENGTH "${layer}" length)
        if((dir STREQUAL layer OR dir MATCHES "^${layer}/") AND length GREATER best_length)
            set(best ${index})
            set(best_length ${length})
        endif()
        math(EXPR index "${index} + 1")
    endforeach()
    set(${out} ${best} PARENT_SCOPE)
endfunction()

list(FIND layers ${first_widget_layer} widget_line)
set(failures "")
foreach(layer IN LISTS layers)
    file(GLOB sources RELATIVE "${ROOT}" "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp"
         "${ROOT}/${layer}/*/*.cpp")
    foreach(source IN LISTS sources)
        layer_of("${source}" from)
        file(STRINGS "${ROOT}/${source}" includes REGEX "^#include [\"<]")
        foreach(line IN LISTS includes)
            if(line MATCHES "^#include \"([^\"]+)\"")
                layer_of("${CMAKE_MATCH_1}" to)
                if(to EQUAL -1)
                    list(APPEND failures "${source}: \"${CMAKE_MATCH_1}\" names no layer's folder")
                elseif(to GREATER from)
                    list(APPEND failures "${source}: includes \"${CMAKE_MATCH_1}\" of a higher layer")
                endif()
            elseif(line MATCHES "^#include <([A-Za-z]+)>" AND from LESS widget_line)
                if(CMAKE_MATCH_1 IN_LIST widget_headers)
                    list(APPEND failures "${source}: <${CMAKE_MATCH_1}> below the widget line")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n" message)
    message(FATAL_ERROR "${message}")
endif()
message(STATUS "layers: no include reaches up")
