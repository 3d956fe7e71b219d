# The Debian package: `cpack -G DEB` in the build directory, after a build.
set(CPACK_PACKAGE_NAME cantorio)
set(CPACK_PACKAGE_VENDOR "Los autores de Cantorio")
set(CPACK_PACKAGE_CONTACT "Los autores de Cantorio <autores@cantorio.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catálogo de ficheros de música y de sus letras")
set(CPACK_PACKAGE_DESCRIPTION
    "Cantorio recorre una unidad o una carpeta de música, separa el nombre de cada
fichero en autor y título y guarda una ficha por canción bajo una cabecera. El
catálogo se recorre como un árbol, se consulta por autor, título, SQL o texto
de la letra, y guarda la letra de cada canción. Incluye cantorio-sql, que
ejecuta sentencias sobre el catálogo, cantorio-util, que comprueba, exporta,
importa y lista el catálogo desde la línea de órdenes, y una extensión que
permite abrir el catálogo con el intérprete sqlite3.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Spanish texts of Qt's own dialogs; no library of the program links them, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
include(CPack)
