// pictures.js -- how far two pictures of the same frame differ, pixel by pixel
'use strict';

// Counts the pixels whose channels differ by more than `tolerance` levels; the
// rasterizers may round an edge pixel differently, nothing more.
function comparePictures(a, b, tolerance = 2) {
    if (a.width !== b.width || a.height !== b.height) {
        return {differing: -1, fraction: 1, largest: 255, summary: `sizes differ ${a.width}x${a.height} ${b.width}x${b.height}`};
    }
    let differing = 0;
    let largest = 0;
    for (let y = 0; y < a.height; ++y) {
        for (let x = 0; x < a.width; ++x) {
            const p = a.at(x, y);
            const q = b.at(x, y);
            const d = Math.max(Math.abs(p[0] - q[0]), Math.abs(p[1] - q[1]), Math.abs(p[2] - q[2]));
            largest = Math.max(largest, d);
            if (d > tolerance) {
                differing += 1;
            }
        }
    }
    const fraction = differing / (a.width * a.height);
    return {differing, fraction, largest,
        summary: `${differing} of ${a.width * a.height} pixels differ (${(fraction * 100).toFixed(3)} %)`};
}

module.exports = {comparePictures};
