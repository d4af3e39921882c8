// touch.js -- the touch buttons: shown from the first touch, each press one game key, held ones repeating
//
// Linked into kestrel-forges.js as an emscripten library beside page.js. A
// press goes into the same queue as a key press (WebPressKey), so the one key
// a pass and the help dialog's rules hold for touches as for keys.
mergeInto(LibraryManager.library, {
    $KestrelTouch: {
        // A held button repeats like a held key: after 500 ms, then about 30 times a second.
        repeatDelayMs: 500,
        repeatPeriodMs: 33,

        holdable: function (button) {
            var code = Number(button.dataset.key);
            var delay = null;
            var repeat = null;
            var letGo = function () {
                clearTimeout(delay);
                clearInterval(repeat);
                delay = null;
                repeat = null;
            };
            button.addEventListener('pointerdown', function (event) {
                // A touch on the game gives it the keys, as a click does.
                event.preventDefault();
                button.setPointerCapture(event.pointerId);
                document.getElementById('game').focus();
                letGo();
                Module['_WebPressKey'](code, 0);
                delay = setTimeout(function () {
                    repeat = setInterval(function () {
                        // The help dialog taking the keys ends the hold, as the game loses a held key.
                        if (document.getElementById('menu').contains(document.activeElement)) {
                            letGo();
                        } else {
                            Module['_WebPressKey'](code, 1);
                        }
                    }, KestrelTouch.repeatPeriodMs);
                }, KestrelTouch.repeatDelayMs);
            });
            ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (type) {
                button.addEventListener(type, letGo);
            });
        },

        // Full screen, and landscape where the browser lets a page lock it.
        fullScreen: function () {
            var page = document.documentElement;
            if (!page.requestFullscreen) {
                return;
            }
            page.requestFullscreen().then(function () {
                if (screen.orientation && screen.orientation.lock) {
                    return screen.orientation.lock('landscape');
                }
            }).catch(function () {});
        },
    },

    WebListenForTouch__deps: ['$KestrelTouch'],
    WebListenForTouch: function () {
        var overlay = document.getElementById('touch');
        // Mouse and keyboard players never see the buttons.
        window.addEventListener('touchstart', function () { overlay.hidden = false; },
            {capture: true, once: true, passive: true});
        overlay.querySelectorAll('button[data-key]').forEach(KestrelTouch.holdable);
        // Beside Escape, and on the request to turn a phone held upright: where the browser
        // can lock the screen, the button turns the game sideways itself.
        // A browser without full screen for pages (Safari on iPhone) shows neither.
        document.querySelectorAll('.full-screen').forEach(function (button) {
            button.hidden = !document.documentElement.requestFullscreen;
            button.addEventListener('click', KestrelTouch.fullScreen);
        });
    },
});
