// service-worker.js -- keeps the web game's files in a cache of this build's own, so a later visit starts offline
//
// The build writes the list of files and a hash of their contents in place of
// the two @-marked names below, so every build with other content has its own
// cache name: the browser sees a changed worker, installs it, and the new
// cache replaces the old one. Caches are named after the folder the game is
// served from too, so two copies of the game on one host keep theirs apart.
'use strict';
const cachePrefix = `kestrel-forges ${self.registration.scope} `;
const cacheName = cachePrefix + '@WEB_CACHE_HASH@';
const cachedFiles = @WEB_CACHED_FILES@;

self.addEventListener('install', (event) => {
    // Past the browser's own HTTP cache, so the new cache holds this build's bytes.
    event.waitUntil(caches.open(cacheName)
        .then((cache) => cache.addAll(cachedFiles.map((file) => new Request(file, {cache: 'reload'}))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names
            .filter((name) => name.startsWith(cachePrefix) && name !== cacheName)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The cache first: it holds the whole game; anything else goes to the network.
// A page's query (?bench) does not change the page. Only this build's cache
// is looked in, and never made again once a newer worker has deleted it.
self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') {
        return;
    }
    event.respondWith(caches.match(event.request, {cacheName: cacheName, ignoreSearch: true})
        .then((cached) => cached || fetch(event.request)));
});
