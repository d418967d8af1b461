# Which libraries a target links, directly or through others: to keep a program from
# picking up a library it must not carry when someone adds a link somewhere below it.

function(_lumenpoll_link_closure target out_var)
  set(seen ${${out_var}})
  foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(links ${target} ${property})
    if(NOT links)
      continue()
    endif()
    foreach(link IN LISTS links)
      if(TARGET ${link} AND NOT link IN_LIST seen)
        list(APPEND seen ${link})
        _lumenpoll_link_closure(${link} seen)
      endif()
    endforeach()
  endforeach()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration when target links forbidden, directly or not; why says what for.
function(lumenpoll_forbid_link target forbidden why)
  set(closure "")
  _lumenpoll_link_closure(${target} closure)
  if(forbidden IN_LIST closure)
    message(FATAL_ERROR "${target} links ${forbidden}: ${why}")
  endif()
endfunction()
