# embed_binary(TARGET file SYMBOL name): an object library whose object holds the bytes of `file`
# between the symbols `name` and `name_end`.
function(embed_binary target file symbol)
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}.S)
  file(WRITE ${asm}.in
    "    .section .rodata\n"
    "    .global ${symbol}\n"
    "    .global ${symbol}_end\n"
    "    .balign 16\n"
    "${symbol}:\n"
    "    .incbin \"${file}\"\n"
    "${symbol}_end:\n"
    "    .byte 0\n"
    "    .section .note.GNU-stack,\"\",@progbits\n")
  configure_file(${asm}.in ${asm} COPYONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${file})
  add_library(${target} OBJECT ${asm})
endfunction()
