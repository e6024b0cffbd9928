# radar_embed_file(TARGET SYMBOL FILE): a static library TARGET whose source defines
#   extern const unsigned char SYMBOL[]; extern const unsigned SYMBOL_size;
# in namespace radar, holding FILE's bytes. The file is read again when it changes.
function(radar_embed_file target symbol file)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    file(READ "${file}" hex HEX)
    file(SIZE "${file}" size)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
    file(WRITE "${out}.new" "// Made from ${file} by the build.\nnamespace radar {\nextern const unsigned char ${symbol}[] = {\n${bytes}\n};\nextern const unsigned ${symbol}_size = ${size};\n}\n")
    file(COPY_FILE "${out}.new" "${out}" ONLY_IF_DIFFERENT)
    add_library(${target} STATIC "${out}")
endfunction()
