# Precompiled headers: the Qt, standard and test headers nearly every file
# reads are parsed once per build and reused by every target of a kind.
# Off with -DDPV_PCH=OFF.
option(DPV_PCH "Share precompiled headers between the targets" ON)

set(DPV_PCH_DIR ${CMAKE_CURRENT_LIST_DIR}/pch)

# dpv_pch_anchor(KIND LIBS...): the target that builds the headers of KIND.
function(dpv_pch_anchor kind)
  if(DPV_PCH)
    add_library(dpv_pch_${kind} OBJECT ${DPV_PCH_DIR}/anchor.cpp)
    target_precompile_headers(dpv_pch_${kind} PRIVATE ${DPV_PCH_DIR}/${kind}.h)
    target_link_libraries(dpv_pch_${kind} PRIVATE ${ARGN})
  endif()
endfunction()

# dpv_use_pch(TARGET KIND): TARGET reuses the headers of KIND.
function(dpv_use_pch target kind)
  if(DPV_PCH)
    target_precompile_headers(${target} REUSE_FROM dpv_pch_${kind})
  endif()
endfunction()
