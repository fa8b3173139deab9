# The library's layers: each folder of src/ is an OBJECT library that sees only its own headers
# and those of the layers it names below it. Each layer compiles against an include root of its
# own in the build tree that holds links to just those folders, so an include that runs back up
# (master including plans/..., say) fails to build.

set(qrv_layer_root ${PROJECT_BINARY_DIR}/layers)
set(QRV_LAYERS "")

# qrv_layer(NAME [LOWER...]): the layer src/NAME with every layer it may use, all listed.
function(qrv_layer name)
  set(root ${qrv_layer_root}/${name})
  file(MAKE_DIRECTORY ${root})
  foreach(dir ${name} ${ARGN})
    if(NOT EXISTS ${root}/${dir})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dir} ${root}/${dir} SYMBOLIC)
    endif()
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(name STREQUAL "platform")
    file(GLOB os_sources CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/src/platform/${QRV_PLATFORM_DIR}/*.cpp)
    list(APPEND sources ${os_sources})
  endif()
  add_library(qrv_${name} OBJECT ${sources})
  target_include_directories(qrv_${name} PRIVATE ${root})
  target_compile_definitions(qrv_${name} PRIVATE QRV_BUILDING_LIBRARY)
  if(NOT WIN32)
    set_target_properties(qrv_${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                                 VISIBILITY_INLINES_HIDDEN ON)
  endif()
  qrv_warnings(qrv_${name})
  set_property(TARGET qrv_${name} PROPERTY QRV_LOWER_LAYERS ${ARGN})
  set(QRV_LAYERS ${QRV_LAYERS} ${name} PARENT_SCOPE)
endfunction()

# The objects of a layer and of every layer below it.
function(qrv_layer_objects out name)
  get_property(lower TARGET qrv_${name} PROPERTY QRV_LOWER_LAYERS)
  set(objects $<TARGET_OBJECTS:qrv_${name}>)
  foreach(dir ${lower})
    list(APPEND objects $<TARGET_OBJECTS:qrv_${dir}>)
  endforeach()
  set(${out} ${objects} PARENT_SCOPE)
endfunction()

# Each layer links alone with the layers below it: a shared object of just those, linked with
# no undefined symbol left, shows that no layer calls into one above it.
function(qrv_layer_link_checks)
  if(WIN32 OR QRV_SANITIZE OR QRV_FUZZ)
    return()
  endif()
  foreach(name ${QRV_LAYERS})
    qrv_layer_objects(objects ${name})
    add_library(qrv_${name}_alone SHARED ${objects})
    target_link_options(qrv_${name}_alone PRIVATE -Wl,--no-undefined)
    set_target_properties(qrv_${name}_alone PROPERTIES LIBRARY_OUTPUT_DIRECTORY
                                                       ${qrv_layer_root}/alone)
  endforeach()
endfunction()
