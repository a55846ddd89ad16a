# Writes the bash completion of one program from the options its --help
# lists, so that it offers exactly the options the program takes.
#
#   cmake -DPROGRAM=<built program> -DNAME=<installed name> -DTEMPLATE=<file.in>
#         -DOUTPUT=<file> [-DFILE_OPTIONS=<long>=<glob>,...]
#         [-DFOLDER_OPTIONS=<long>,...] [-DARGUMENTS=<glob>] -P bash_completion.cmake
#
# FILE_OPTIONS take a file that matches the glob (or a folder on the way to
# one), FOLDER_OPTIONS a folder; the other options that take a value are
# numbers and get no suggestion; flags get "true" and "false" after "=".
# ARGUMENTS is the glob of the files named without an option; without it,
# nothing is suggested there.

cmake_policy(VERSION 3.22)

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help ended with status ${status}")
endif()

# cxxopts lists an option as "  -j, --json-file arg   Description", or
# "      --min-wall arg   Description" without a short name, the word "arg"
# only when the option takes a value.
string(REPLACE "\n" ";" lines "${help}")
set(words "")
set(value_options "")
set(flags "")
set(long_values "")
foreach(line IN LISTS lines)
  if(line MATCHES "^  (-([A-Za-z0-9]), |    )?--([A-Za-z0-9-]+)( arg)?( |$)")
    set(short "${CMAKE_MATCH_2}")
    set(long "${CMAKE_MATCH_3}")
    list(APPEND words "--${long}")
    # (Not if(short): CMake takes "n" for false.)
    if(NOT short STREQUAL "")
      list(APPEND words "-${short}")
    endif()
    if(CMAKE_MATCH_4)
      list(APPEND long_values "${long}")
      set(spelling_${long} "--${long}")
      if(NOT short STREQUAL "")
        set(spelling_${long} "-${short}|--${long}")
      endif()
      list(APPEND value_options "${spelling_${long}}")
    elseif(NOT long MATCHES "^(help|version)$")
      list(APPEND flags "--${long}")
    endif()
  endif()
endforeach()
if(NOT words)
  message(FATAL_ERROR "no options found in the --help of ${PROGRAM}")
endif()

set(cases "")
string(REPLACE "," ";" file_options "${FILE_OPTIONS}")
string(REPLACE "," ";" folder_options "${FOLDER_OPTIONS}")
foreach(entry IN LISTS file_options folder_options)
  string(FIND "${entry}" "=" equals)
  set(long "${entry}")
  set(glob "")
  if(equals GREATER 0)
    string(SUBSTRING "${entry}" 0 ${equals} long)
    math(EXPR after "${equals} + 1")
    string(SUBSTRING "${entry}" ${after} -1 glob)
  endif()
  if(NOT long IN_LIST long_values)
    message(FATAL_ERROR "${NAME}: --${long} is not an option with a value in its --help")
  endif()
  string(APPEND cases "            ${spelling_${long}}) _veskaro_paths \"$cur\" '${glob}' ;;\n")
endforeach()
if(flags)
  list(JOIN flags "|" flag_pattern)
  string(APPEND cases "            ${flag_pattern}) mapfile -t COMPREPLY < <(compgen -W \"true false\" -- \"$cur\") ;;")
endif()

set(arguments "    :")
if(ARGUMENTS)
  set(arguments "    _veskaro_paths \"$cur\" '${ARGUMENTS}'")
endif()

string(MAKE_C_IDENTIFIER "${NAME}" FUNCTION)
list(JOIN words " " OPTIONS)
list(JOIN value_options "|" VALUE_OPTIONS)
if(NOT VALUE_OPTIONS)
  set(VALUE_OPTIONS "'<none>'")
endif()
set(VALUE_CASES "${cases}")
set(ARGUMENTS "${arguments}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
