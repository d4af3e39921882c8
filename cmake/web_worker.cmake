# web_worker.cmake -- writes the web game's service worker: its list of files and a cache name from their contents
# Usage: cmake -DWEB_DIR=<web folder> -DTEMPLATE=<service-worker.js> "-DFILES=<file>;<file>;..."
#        -P web_worker.cmake
# The worker lands in WEB_DIR beside the files. The name is a hash of every
# listed file and of the worker's own text, so a build that changes any byte
# the worker serves gives the browser a new worker and a new cache.
file(READ ${TEMPLATE} worker)
set(contents "${worker}")
# The page is asked for as the folder itself too, as an installed game starts it.
set(quoted "\"./\"")
foreach(name IN LISTS FILES)
    file(SHA256 ${WEB_DIR}/${name} hash)
    string(APPEND contents "${name} ${hash}\n")
    list(APPEND quoted "\"${name}\"")
endforeach()
list(JOIN quoted ", " names)
string(SHA256 hash "${contents}")
string(SUBSTRING ${hash} 0 16 hash)
string(REPLACE "@WEB_CACHED_FILES@" "[${names}]" worker "${worker}")
string(REPLACE "@WEB_CACHE_HASH@" ${hash} worker "${worker}")
file(WRITE ${WEB_DIR}/service-worker.js "${worker}")
