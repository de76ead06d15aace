# Checks every #include under src/ against the layers: a file may include its
# own layer and the layers its library is declared to see (sumvane_layer's
# SEES), Qt only where Qt is seen and Boost only where Boost is. The build
# already refuses a folder a library does not expose; this also catches what
# the compiler finds anyway (Boost and Qt in the system's folders, paths
# climbing out with "..").
#
#   cmake -DSOURCE=<src folder> -DLAYERS=<folder,...> -DSEES_<folder>=<seen,...>
#         -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
set(faults "")
string(REPLACE "," ";" layers "${LAYERS}")
foreach(layer IN LISTS layers)
  string(REPLACE "," ";" seen "${layer},${SEES_${layer}}")
  file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/${layer}/*.h ${SOURCE}/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${SOURCE}/${file} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
      if(NOT line MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
        continue()
      endif()
      set(bracket "${CMAKE_MATCH_1}")
      set(path "${CMAKE_MATCH_2}")
      set(needs "")
      if(path MATCHES "(^|/)\\.\\.(/|$)")
        list(APPEND faults "${file}: ${path} climbs out of its folder")
        continue()
      elseif(bracket STREQUAL "\"" AND path MATCHES "^([^/]+)/")
        set(needs ${CMAKE_MATCH_1})
      elseif(bracket STREQUAL "<" AND path MATCHES "^boost/")
        set(needs Boost)
      elseif(bracket STREQUAL "<" AND path MATCHES "^Q[A-Za-z]*(/|$)")
        set(needs Qt)
      endif()
      if(needs AND NOT needs IN_LIST seen)
        list(APPEND faults "${file}: ${path} (${layer} does not see ${needs})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes that cross the layers:\n${text}")
endif()
