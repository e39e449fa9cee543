# The manual pages, the package documentation and the Debian package (`cpack -G DEB` in the
# build folder) that installs both programs into /usr.

find_program(GZIP_PROGRAM gzip REQUIRED)

# Every installed file and folder gets its mode here and in the install rules, not from the
# checkout or the umask of whoever builds: a checkout made with umask 002 would otherwise put
# 0664 files and 0775 folders into the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(document_permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Compresses `source` (configured with the project's version) into `destination` the way
# Debian wants its documentation: gzip -9 without a name or time stamp, so builds agree.
function(numora_compressed_document source destination)
  configure_file(${source} ${CMAKE_CURRENT_BINARY_DIR}/doc/${destination}.plain @ONLY)
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/doc/${destination}.gz
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/doc/${destination}.plain >
            ${CMAKE_CURRENT_BINARY_DIR}/doc/${destination}.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/doc/${destination}.plain
    VERBATIM)
  list(APPEND numora_documents ${CMAKE_CURRENT_BINARY_DIR}/doc/${destination}.gz)
  set(numora_documents ${numora_documents} PARENT_SCOPE)
endfunction()

set(numora_documents "")
numora_compressed_document(doc/numora.1 numora.1)
numora_compressed_document(doc/numora-calc.1 numora-calc.1)
numora_compressed_document(doc/changelog.in changelog)
add_custom_target(numora_documents ALL DEPENDS ${numora_documents})

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/numora.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/doc/numora-calc.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 PERMISSIONS ${document_permissions})
install(FILES doc/copyright ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/numora PERMISSIONS ${document_permissions})

set(CPACK_PACKAGE_NAME numora)
set(CPACK_PACKAGE_VENDOR "Numora Works")
set(CPACK_PACKAGE_CONTACT "Numora Works <maintainers@numora.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://numora.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exact desktop calculator for a table of named formulas")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Numora calculates a table of named formula rows exactly. Each row holds a
name, a term such as sin(x)*Erg1, its last result and a number; a row can
use the results of the rows above it. Every result is held in 80-bit
extended precision and shown with 15 significant digits.
.
The package holds the desktop program numora, which saves, opens and
prints tables, and the command-line tool numora-calc, which calculates
table files and lists of terms for scripts.")
include(CPack)
