# Debian ships OpenCV's CMake package only inside the full libopencv-dev; the component
# packages we install (libopencv-core-dev, -imgproc-dev, -dnn-dev) carry headers and
# libraries alone. Use the package when present, otherwise find the components directly.
find_package(OpenCV CONFIG QUIET COMPONENTS ${OpenCV_FIND_COMPONENTS})
if(OpenCV_FOUND)
  return()
endif()

find_path(OpenCV_INCLUDE_DIRS opencv2/core.hpp PATH_SUFFIXES opencv4)
set(OpenCV_LIBS)
foreach(component IN LISTS OpenCV_FIND_COMPONENTS)
  find_library(OpenCV_${component}_LIBRARY opencv_${component})
  if(OpenCV_${component}_LIBRARY AND OpenCV_INCLUDE_DIRS)
    set(OpenCV_${component}_FOUND TRUE)
    if(NOT TARGET opencv_${component})
      add_library(opencv_${component} UNKNOWN IMPORTED)
      set_target_properties(opencv_${component} PROPERTIES
        IMPORTED_LOCATION ${OpenCV_${component}_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${OpenCV_INCLUDE_DIRS})
    endif()
    list(APPEND OpenCV_LIBS opencv_${component})
  endif()
endforeach()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(OpenCV REQUIRED_VARS OpenCV_INCLUDE_DIRS HANDLE_COMPONENTS)
