# Proves that a vessel module needs nothing of the host but its module face: run by CTest as
#   cmake -DNM=nm -DREADELF=readelf -DMODULE=aircraft.so -DFACE=libvantor.so
#         "-DSIBLINGS=libvantor_sim.so;libvantor_testing.so" -P CheckModuleFace.cmake
# The face is VESSEL (its members, vtable and typeinfo) and the vapi functions. Every symbol the
# module leaves undefined that a host library defines must be one of them and come from FACE,
# and the module must not name a sibling library among the libraries it needs.
cmake_minimum_required(VERSION 3.25)

function(dynamic_symbols library mode out)
  execute_process(COMMAND ${NM} -D ${mode} ${library} OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${NM} cannot read ${library}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${text}")
  set(names)
  foreach(line IN LISTS lines)
    # "ADDRESS TYPE NAME" or "TYPE NAME"; versioned names end in @VERSION.
    string(REGEX REPLACE "^.* " "" name "${line}")
    string(REGEX REPLACE "@.*$" "" name "${name}")
    list(APPEND names "${name}")
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

function(needed_libraries library out)
  execute_process(COMMAND ${READELF} -d ${library} OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${READELF} cannot read ${library}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]]+\\]" lines "${text}")
  set(names)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*\\[(.*)\\]" "\\1" name "${line}")
    list(APPEND names "${name}")
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# Mangled names: VESSEL's members (_ZN6VESSEL, _ZNK6VESSEL), its vtable and typeinfo (_ZTV6VESSEL,
# _ZTI6VESSEL, _ZTS6VESSEL), and free functions named vapi... (_Z15vapiDebugStringv).
set(face_pattern "^_Z(N[KVr]*|T[VIS])6VESSEL|^_Z[0-9]+vapi")

dynamic_symbols(${MODULE} --undefined-only undefined)
dynamic_symbols(${FACE} --defined-only face_exports)
set(host_exports ${face_exports})
foreach(sibling IN LISTS SIBLINGS)
  dynamic_symbols(${sibling} --defined-only sibling_exports)
  list(APPEND host_exports ${sibling_exports})
endforeach()

set(from_host 0)
set(problems)
foreach(symbol IN LISTS undefined)
  list(FIND host_exports "${symbol}" host_index)
  if(host_index EQUAL -1)
    continue()  # the C and C++ runtime's
  endif()
  math(EXPR from_host "${from_host} + 1")
  list(FIND face_exports "${symbol}" face_index)
  if(NOT symbol MATCHES "${face_pattern}")
    list(APPEND problems "${symbol} is not part of the module face")
  elseif(face_index EQUAL -1)
    list(APPEND problems "${symbol} is not exported by ${FACE}")
  endif()
endforeach()

get_filename_component(face_name ${FACE} NAME)
needed_libraries(${MODULE} needed)
if(NOT face_name IN_LIST needed)
  list(APPEND problems "the module does not name ${face_name} among the libraries it needs")
endif()
foreach(sibling IN LISTS SIBLINGS)
  get_filename_component(sibling_name ${sibling} NAME)
  if(sibling_name IN_LIST needed)
    list(APPEND problems "the module needs ${sibling_name}")
  endif()
endforeach()
if(from_host EQUAL 0)
  list(APPEND problems "the module takes no symbol from the host; is ${MODULE} a module?")
endif()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${MODULE} reaches beyond the host's module face:\n  ${text}")
endif()
message(STATUS "${MODULE}: ${from_host} host symbols, all of the module face of ${face_name}")
