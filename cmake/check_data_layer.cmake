# Fails when a source of the data layer includes a window header: the data module and the record rules
# take what they need as input and report by signals, so nothing under src/data may reach a window.
#
# Usage: cmake -DDATA_DIR=<folder> [-DSTAMP=<file>] -P check_data_layer.cmake
if(NOT DATA_DIR)
  message(FATAL_ERROR "DATA_DIR is not set")
endif()
file(GLOB_RECURSE sources "${DATA_DIR}/*.h" "${DATA_DIR}/*.cpp")
set(window_folders "app|overview|editing|codelists|maintenance|reports|toolkit/widgets")
set(bad "")
foreach(source ${sources})
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "#[ \t]*include[ \t]*[\"<](${window_folders})/"
       OR line MATCHES "#[ \t]*include[ \t]*<(QtWidgets|QtGui|QtPrintSupport)"
       OR line MATCHES "#[ \t]*include[ \t]*<Q(Widget|MainWindow|Dialog|Label|LineEdit|PushButton|GroupBox|MessageBox|Application)>")
      file(RELATIVE_PATH name "${DATA_DIR}" "${source}")
      string(STRIP "${line}" line)
      list(APPEND bad "  ${name}: ${line}")
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n" text)
  message(FATAL_ERROR "The data layer must not include window headers:\n${text}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
