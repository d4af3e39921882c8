// page.js -- the page side of the browser shell: WebGL, the looping tune, the help dialog, the end line
//
// Linked into kestrel-forges.js as an emscripten library. The shell's C++
// calls these functions; everything here talks to the page that index.html
// lays out (the canvas #game, the dialog #menu, the lines #ended, #no-webgl and
// #run-note, the share buttons #share).
mergeInto(LibraryManager.library, {
    $Kestrel: {
        gl: null,
        canvas: null,
        buffer: null,
        bufferBytes: 0,
        audio: null,
        audioRequested: false,  // audio opens once, after the first frame
        tune: null,
        source: null,
        analyser: null,
        musicWanted: false,
        // The standard pad layout's buttons for the game's pad controls, in
        // their order: D-pad left, right, up, then south, east, west, north,
        // Back and Start.
        padButtons: [14, 15, 12, 0, 1, 2, 3, 8, 9],

        compile: function (type, text) {
            var gl = Kestrel.gl;
            var shader = gl.createShader(type);
            gl.shaderSource(shader, text);
            gl.compileShader(shader);
            return shader;
        },

        // Any click, touch or key press is a gesture that lets blocked audio play.
        unblockAudio: function () {
            if (Kestrel.audio && Kestrel.audio.state === 'suspended') {
                Kestrel.audio.resume();
            }
        },

        playIfAllowed: function () {
            var audio = Kestrel.audio;
            if (!Kestrel.musicWanted || Kestrel.source || !Kestrel.tune || audio.state !== 'running') {
                return;
            }
            var source = audio.createBufferSource();
            source.buffer = Kestrel.tune;
            source.loop = true;
            source.connect(Kestrel.analyser);
            source.start();
            Kestrel.source = source;
        },

        // Copies the current game's link; where the browser refuses the
        // clipboard, the link stands selected in its field for the player to
        // copy. A game too long for a link can still be saved as a file.
        copyLink: function () {
            var run = UTF8ToString(Module['_WebRunLink']());
            var field = document.getElementById('share-link');
            if (run === '') {
                field.value = 'This game is too long for a link: save it as a file.';
                field.hidden = false;
                return;
            }
            var link = location.href.split('#')[0] + '#run=' + run;
            var shown = function () {
                field.value = link;
                field.hidden = false;
                field.select();
            };
            var copied = function () {
                shown();
                document.getElementById('share-copied').hidden = false;
            };
            if (navigator.clipboard && navigator.clipboard.writeText) {
                navigator.clipboard.writeText(link).then(copied, shown);
            } else {
                shown();
            }
        },

        // The record as a text file to save, which the desktop game's --play reads.
        saveRecord: function () {
            var text = UTF8ToString(Module['_WebRunText']());
            var url = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
            var save = document.createElement('a');
            save.href = url;
            save.download = 'kestrel-forges-run.txt';
            document.body.appendChild(save);
            save.click();
            save.remove();
            setTimeout(function () { URL.revokeObjectURL(url); }, 1000);
        },

        startAudio: function () {
            var audio = new AudioContext();
            Kestrel.audio = audio;
            Kestrel.analyser = audio.createAnalyser();
            Kestrel.analyser.connect(audio.destination);
            audio.onstatechange = Kestrel.playIfAllowed;
            fetch('gamesound.wav')
                .then(function (response) { return response.arrayBuffer(); })
                .then(function (bytes) { return audio.decodeAudioData(bytes); })
                .then(function (tune) {
                    Kestrel.tune = tune;
                    Kestrel.playIfAllowed();
                })
                // Without the tune the game plays on silently, as on Windows.
                .catch(function () {});
        },
    },

    WebShowNoWebGL: function () {
        document.getElementById('no-webgl').hidden = false;
    },

    WebCreateContext__deps: ['$Kestrel'],
    WebCreateContext: function (widthOut, heightOut) {
        var canvas = document.getElementById('game');
        // The drawing size is fixed here, once; later window shapes stretch it. A phone
        // held upright is asked to turn (index.css, the same query): its drawing takes the
        // shape it is played in, even where the style sheet has not loaded.
        var width = window.innerWidth;
        var height = window.innerHeight;
        if (window.matchMedia('(orientation: portrait) and (pointer: coarse)').matches) {
            width = window.innerHeight;
            height = window.innerWidth;
        }
        canvas.width = Math.round(width * window.devicePixelRatio);
        canvas.height = Math.round(height * window.devicePixelRatio);
        // The page may have made this context already, with the same attributes.
        var gl = canvas.getContext('webgl', {
            alpha: false, depth: true, stencil: false, antialias: false,
            premultipliedAlpha: false, preserveDrawingBuffer: false,
        });
        if (!gl) {
            return 0;
        }
        Kestrel.gl = gl;
        Kestrel.canvas = canvas;
        var program = gl.createProgram();
        gl.attachShader(program, Kestrel.compile(gl.VERTEX_SHADER,
            'attribute vec4 corner; attribute vec4 colour; varying vec4 shade;' +
            'void main() { gl_Position = corner; shade = colour; }'));
        gl.attachShader(program, Kestrel.compile(gl.FRAGMENT_SHADER,
            'precision highp float; varying vec4 shade;' +
            'void main() { gl_FragColor = shade; }'));
        gl.bindAttribLocation(program, 0, 'corner');
        gl.bindAttribLocation(program, 1, 'colour');
        gl.linkProgram(program);
        gl.useProgram(program);
        Kestrel.buffer = gl.createBuffer();
        gl.bindBuffer(gl.ARRAY_BUFFER, Kestrel.buffer);
        gl.enableVertexAttribArray(0);
        gl.enableVertexAttribArray(1);
        HEAP32[widthOut >> 2] = canvas.width;
        HEAP32[heightOut >> 2] = canvas.height;
        return 1;
    },

    WebUnblockAudioOnGesture__deps: ['$Kestrel'],
    WebUnblockAudioOnGesture: function () {
        ['pointerdown', 'touchstart', 'keydown'].forEach(function (type) {
            window.addEventListener(type, Kestrel.unblockAudio, true);
        });
    },

    WebDrawTriangles__deps: ['$Kestrel'],
    WebDrawTriangles: function (vertices, count, blend) {
        var gl = Kestrel.gl;
        if (blend) {
            gl.enable(gl.BLEND);
        } else {
            gl.disable(gl.BLEND);
        }
        // Corners of 20 bytes: four floats of clip coordinates, four colour levels.
        var bytes = HEAPU8.subarray(vertices, vertices + count * 20);
        if (bytes.byteLength > Kestrel.bufferBytes) {
            gl.bufferData(gl.ARRAY_BUFFER, bytes, gl.STREAM_DRAW);
            Kestrel.bufferBytes = bytes.byteLength;
        } else {
            gl.bufferSubData(gl.ARRAY_BUFFER, 0, bytes);
        }
        gl.vertexAttribPointer(0, 4, gl.FLOAT, false, 20, 0);
        gl.vertexAttribPointer(1, 4, gl.UNSIGNED_BYTE, true, 20, 16);
        gl.drawArrays(gl.TRIANGLES, 0, count);
    },

    WebSetCapability__deps: ['$Kestrel'],
    WebSetCapability: function (capability, on) {
        if (on) {
            Kestrel.gl.enable(capability);
        } else {
            Kestrel.gl.disable(capability);
        }
    },

    WebBlendFunc__deps: ['$Kestrel'],
    WebBlendFunc: function (source, destination) { Kestrel.gl.blendFunc(source, destination); },

    WebDepthFunc__deps: ['$Kestrel'],
    WebDepthFunc: function (f) { Kestrel.gl.depthFunc(f); },

    WebDepthMask__deps: ['$Kestrel'],
    WebDepthMask: function (flag) { Kestrel.gl.depthMask(flag !== 0); },

    WebDepthRange__deps: ['$Kestrel'],
    WebDepthRange: function (zNear, zFar) { Kestrel.gl.depthRange(zNear, zFar); },

    WebClearColor__deps: ['$Kestrel'],
    WebClearColor: function (r, g, b, a) { Kestrel.gl.clearColor(r, g, b, a); },

    WebClearDepth__deps: ['$Kestrel'],
    WebClearDepth: function (depth) { Kestrel.gl.clearDepth(depth); },

    WebClear__deps: ['$Kestrel'],
    WebClear: function (mask) { Kestrel.gl.clear(mask); },

    WebViewport__deps: ['$Kestrel'],
    WebViewport: function (x, y, width, height) { Kestrel.gl.viewport(x, y, width, height); },

    WebStartMusic__deps: ['$Kestrel'],
    WebStartMusic: function () {
        Kestrel.musicWanted = true;
        if (!Kestrel.audioRequested) {
            // Opening audio takes a while: it waits until the first frame is out.
            Kestrel.audioRequested = true;
            setTimeout(Kestrel.startAudio, 0);
            return;
        }
        if (Kestrel.audio) {
            Kestrel.playIfAllowed();
        }
    },

    WebStopMusic__deps: ['$Kestrel'],
    WebStopMusic: function () {
        Kestrel.musicWanted = false;
        if (Kestrel.source) {
            Kestrel.source.stop();
            Kestrel.source.disconnect();
            Kestrel.source = null;
        }
    },

    WebShowHelp: function (caption, upper, lower) {
        var dialog = document.getElementById('menu');
        // The texts are set each time the dialog is shown, from the game's own copy.
        document.getElementById('menu-caption').textContent = UTF8ToString(caption);
        document.getElementById('help-upper').textContent = UTF8ToString(upper);
        document.getElementById('help-lower').textContent = UTF8ToString(lower);
        dialog.show();
        document.getElementById('menu-ok').focus();
    },

    WebReadGamepads__deps: ['$Kestrel'],
    WebReadGamepads: function (stickOut) {
        var held = 0;
        var stick = 0;
        var pads = navigator.getGamepads ? navigator.getGamepads() : [];
        for (var i = 0; i < pads.length; ++i) {
            var pad = pads[i];
            if (!pad || !pad.connected) {
                continue;
            }
            Kestrel.padButtons.forEach(function (button, control) {
                if (pad.buttons[button] && pad.buttons[button].pressed) {
                    held |= 1 << control;
                }
            });
            var x = pad.axes.length > 0 ? pad.axes[0] : 0;
            if (Math.abs(x) > Math.abs(stick)) {
                stick = x;
            }
        }
        HEAPF32[stickOut >> 2] = stick;
        return held;
    },

    WebDialogHasFocus: function () {
        return document.getElementById('menu').contains(document.activeElement) ? 1 : 0;
    },

    WebPressFocusedButton: function () { document.activeElement.click(); },

    WebFocusGame__deps: ['$Kestrel'],
    WebFocusGame: function () { Kestrel.canvas.focus(); },

    WebShowEnded: function () {
        var dialog = document.getElementById('menu');
        if (dialog.open) {
            dialog.close();
        }
        document.getElementById('ended').hidden = false;
    },

    WebLinkedRun__deps: ['$stringToNewUTF8'],
    WebLinkedRun: function () {
        var hash = location.hash;
        return hash.indexOf('#run=') === 0 ? stringToNewUTF8(hash.substring(5)) : 0;
    },

    WebShowRunNote: function (text) {
        var note = document.getElementById('run-note');
        note.textContent = UTF8ToString(text);
        note.hidden = note.textContent === '';
        // The tab says so too, outside the page.
        document.title = note.hidden ? 'Kestrel Forges' : 'Kestrel Forges \u2014 ' + note.textContent.split('.')[0];
    },

    WebOfferShare__deps: ['$Kestrel'],
    WebOfferShare: function () {
        document.getElementById('share').hidden = false;
        document.getElementById('share-copy').onclick = Kestrel.copyLink;
        document.getElementById('share-save').onclick = Kestrel.saveRecord;
        // C, which the game does not use, copies the link too.
        window.addEventListener('keydown', function (event) {
            if (event.code === 'KeyC' && !event.ctrlKey && !event.altKey && !event.metaKey && !event.repeat) {
                Kestrel.copyLink();
            }
        });
    },
});
