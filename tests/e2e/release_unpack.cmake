# Unpacks the release zip into a fresh folder and checks what a Windows user
# finds there: exactly the expected files, the programs as built, a read-me
# for Notepad, and Japanese names marked as UTF-8 for the zip tools.
# cmake -DZIP=zmr-<version>.zip -DFOLDER=dir -DGAME=zmr.exe [-DSAVER=mahjong.scr]
#       -DSOUNDS_DIR=dir -P release_unpack.cmake
cmake_minimum_required(VERSION 3.25)
set(failures 0)
# report(<true or false> <what>)
macro(report passed what)
  if(${passed})
    message("ok   - ${what}")
  else()
    message("FAIL - ${what}")
    math(EXPR failures "${failures} + 1")
  endif()
endmacro()

file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${CMAKE_COMMAND} -E tar xf ${ZIP}
  WORKING_DIRECTORY ${FOLDER}
  RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()

set(readme お読みください.txt)
set(wanted zmr/zmr.exe zmr/help/説明.htm zmr/${readme})
if(SAVER)
  list(APPEND wanted zmr/mahjong.scr)
endif()
file(GLOB sounds RELATIVE ${SOUNDS_DIR} ${SOUNDS_DIR}/*.wav)
foreach(sound IN LISTS sounds)
  list(APPEND wanted zmr/sounds/${sound})
endforeach()
list(SORT wanted)
file(GLOB_RECURSE found RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT found)
set(same FALSE)
if("${found}" STREQUAL "${wanted}")
  set(same TRUE)
endif()
report(${same} "the zip holds ${wanted}; found ${found}")

macro(report_same name built)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FOLDER}/zmr/${name} ${built}
                  RESULT_VARIABLE differ)
  set(same FALSE)
  if(differ EQUAL 0)
    set(same TRUE)
  endif()
  report(${same} "${name} is the file as built")
endmacro()
report_same(zmr.exe ${GAME})
if(SAVER)
  report_same(mahjong.scr ${SAVER})
endif()

# Read as bytes: a text read would drop the carriage returns.
file(READ ${FOLDER}/zmr/${readme} hex HEX)
set(marked FALSE)
if(hex MATCHES "^efbbbf")
  set(marked TRUE)
endif()
report(${marked} "${readme} starts with a byte-order mark")
string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
string(REPLACE "0d 0a " "" no_crlf "${bytes}")
string(FIND " ${no_crlf}" " 0a " bare_lf)
set(crlf FALSE)
if(NOT bytes STREQUAL no_crlf AND bare_lf EQUAL -1)
  set(crlf TRUE)
endif()
report(${crlf} "${readme} ends its lines with CRLF only")

# Each Japanese name's central-directory entry (the last place the name
# stands) begins 46 bytes before it; its flags are bytes 8 and 9, and bit 11
# says the name is UTF-8.
file(READ ${ZIP} zip HEX)
foreach(name IN ITEMS zmr/help/説明.htm zmr/${readme})
  string(HEX "${name}" name_hex)
  string(FIND "${zip}" "${name_hex}" at REVERSE)
  set(flagged FALSE)
  if(at GREATER_EQUAL 92)
    math(EXPR entry "${at} - 92")
    math(EXPR high "${entry} + 18")
    string(SUBSTRING "${zip}" ${entry} 8 signature)
    string(SUBSTRING "${zip}" ${high} 2 high_byte)
    math(EXPR utf8 "0x${high_byte} & 8")
    if(signature STREQUAL "504b0102" AND utf8 EQUAL 8)
      set(flagged TRUE)
    endif()
  endif()
  report(${flagged} "${name} is marked UTF-8 in the zip's directory")
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} checks failed")
endif()
