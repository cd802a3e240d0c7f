# Makes the release folder afresh and zips it.
# cmake -DGAME=zmr.exe [-DSAVER=mahjong.scr] -DHELP=説明.htm -DSOUNDS_DIR=dir -DREADME=text
#       -DFOLDER=release/zmr -DZIP=release/zmr-<version>.zip -P assemble.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${FOLDER})
file(REMOVE ${ZIP})
file(MAKE_DIRECTORY ${FOLDER}/help)
file(COPY_FILE ${GAME} ${FOLDER}/zmr.exe)
if(SAVER)
  file(COPY_FILE ${SAVER} ${FOLDER}/mahjong.scr)
endif()
file(COPY_FILE ${HELP} ${FOLDER}/help/説明.htm)
file(GLOB sounds ${SOUNDS_DIR}/*.wav)
if(sounds)
  file(COPY ${sounds} DESTINATION ${FOLDER}/sounds)
endif()

# The read-me for Notepad: a byte-order mark and CRLF line ends.
get_filename_component(readme_name ${README} NAME)
file(READ ${README} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${FOLDER}/${readme_name} "${bom}${text}")

# The zip's writer stores the Japanese names as UTF-8 and marks them so
# (bit 11 of the entry flags) only in a UTF-8 locale; in the C locale it
# cannot read them at all.
get_filename_component(parent ${FOLDER} DIRECTORY)
get_filename_component(top ${FOLDER} NAME)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${top}
  WORKING_DIRECTORY ${parent}
  RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  message(FATAL_ERROR "cannot make ${ZIP}")
endif()
