# vostrel_embed(TARGET SYMBOL FILE): compiles the bytes of FILE into TARGET as
#   extern const unsigned char SYMBOL[]; extern const unsigned long SYMBOL_size;
# FILE may be the output of another target; the source is regenerated when it changes.
function(vostrel_embed target symbol file)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
