// index.js -- the page's own start: the game's Module, an early WebGL context, the help dialog's OK, the service worker
//
// A file of its own rather than inline in index.html, so that the page's
// Content-Security-Policy can allow scripts from the game's own folder only.
// It runs as the page is read, before kestrel-forges.js, which is deferred.
'use strict';
var Module = {};

// The first WebGL context starts the browser's drawing process, which takes a
// while: started here, it overlaps the game's download. The game takes this
// context over, with these same attributes.
document.getElementById('game').getContext('webgl', {
    alpha: false, depth: true, stencil: false, antialias: false,
    premultipliedAlpha: false, preserveDrawingBuffer: false,
});
document.getElementById('menu-ok').addEventListener('click', function () {
    document.getElementById('menu').close();
    Module['_WebHelpClosed']();
});
document.getElementById('game').focus();
// A run's link opened over this page plays from the game's start, as it would in a new tab.
window.addEventListener('hashchange', function () {
    if (location.hash.indexOf('#run=') === 0) {
        location.reload();
    }
});

// Once the page has loaded, a service worker keeps its files so that a later
// visit starts without the network. Where the browser offers none (plain http
// from another host) or refuses it (a file: page), the page goes on uncached.
window.addEventListener('load', function () {
    try {
        navigator.serviceWorker.register('service-worker.js').catch(function () {});
    } catch (noServiceWorkers) {
        // Nothing is cached here.
    }
});
