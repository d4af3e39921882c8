// probe.js -- what the browser tests and the bench read of the running game: Module.kestrel and pass timings
//
// Linked into kestrel-forges.js as an emscripten library beside page.js. The
// game never reads anything here; tests and bench pages call Module.kestrel.
mergeInto(LibraryManager.library, {
    $KestrelProbe__deps: ['$Kestrel'],
    $KestrelProbe__postset: 'KestrelProbe.install();',
    $KestrelProbe: {
        // Bench pages (?bench) wait for WebGL to finish each frame, so a pass's
        // time is its whole work, and keep every pass's time.
        finishFrames: false,
        workMs: [],  // each pass's work in ms, in order; bench pages only
        firstFrameMs: 0,  // page clock (ms since navigation began) when the first frame was done

        // Whether the tune plays, how loud it is now, the audio clock and the
        // tune's length in seconds.
        music: function () {
            var level = 0;
            if (Kestrel.analyser) {
                var samples = new Float32Array(Kestrel.analyser.fftSize);
                Kestrel.analyser.getFloatTimeDomainData(samples);
                for (var i = 0; i < samples.length; ++i) {
                    level = Math.max(level, Math.abs(samples[i]));
                }
            }
            return {
                playing: Kestrel.source !== null,
                context: Kestrel.audio ? Kestrel.audio.state : 'none',
                level: level,
                time: Kestrel.audio ? Kestrel.audio.currentTime : 0,
                length: Kestrel.tune ? Kestrel.tune.duration : 0,
            };
        },

        install: function () {
            KestrelProbe.finishFrames = /[?&]bench\b/.test(location.search);
            Module['kestrel'] = {
                frames: function () { return Module['_WebProbeFrames'](); },
                keysTaken: function () { return Module['_WebProbeKeysTaken'](); },
                view: function () { return Module['_WebProbeView'](); },
                pause: function () { return Module['_WebProbePause'](); },
                runStart: function () { return Module['_WebProbeRunStart'](); },
                runEnd: function () { return Module['_WebProbeRunEnd'](); },
                score: function () { return Module['_WebProbeScore'](); },
                carX: function () { return Module['_WebProbeCarX']() / 100; },
                heading: function () { return Module['_WebProbeHeading'](); },
                helpOpen: function () { return Module['_WebProbeHelpOpen'](); },
                running: function () { return Module['_WebProbeRunning'](); },
                // The current game's record: the link's part after "#run=", and the file's text.
                runLink: function () { return UTF8ToString(Module['_WebRunLink']()); },
                runText: function () { return UTF8ToString(Module['_WebRunText']()); },
                music: KestrelProbe.music,
                workMs: function (from) { return KestrelProbe.workMs.slice(from); },
                firstFrameMs: function () { return KestrelProbe.firstFrameMs; },
                depthBits: function () { return Kestrel.gl.getParameter(Kestrel.gl.DEPTH_BITS); },
            };
        },
    },

    WebPassTimed__deps: ['$KestrelProbe', '$Kestrel'],
    WebPassTimed: function (passStart) {
        var now = performance.now();
        if (KestrelProbe.finishFrames) {
            // One pixel read back waits for the whole frame to be drawn (finish does
            // not wait for Chromium's rasterizer).
            var pixel = new Uint8Array(4);
            Kestrel.gl.readPixels(0, 0, 1, 1, Kestrel.gl.RGBA, Kestrel.gl.UNSIGNED_BYTE, pixel);
            now = performance.now();
            KestrelProbe.workMs.push(now - passStart);
        }
        if (KestrelProbe.firstFrameMs === 0) {
            KestrelProbe.firstFrameMs = now;
        }
    },
});
