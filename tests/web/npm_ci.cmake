# npm_ci.cmake -- installs the browser tests' npm packages from the committed lockfile into the build folder
# Usage: cmake -DSOURCE=<tests/web> -DWORK=<folder for node_modules> -P npm_ci.cmake
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SOURCE}/package.json ${SOURCE}/package-lock.json DESTINATION ${WORK})
# No browser download: the tests drive the system's Chromium.
set(ENV{PUPPETEER_SKIP_DOWNLOAD} 1)
execute_process(COMMAND npm ci --no-audit --no-fund WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "npm ci failed with ${status}")
endif()
