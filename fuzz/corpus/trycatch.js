// Errors thrown and caught, with cleanup that always runs.
function checked(image, offset) {
    if (offset < 0 || offset >= image.length)
        throw new RangeError("offset " + offset + " outside the image");
    return image[offset];
}
var image = [0x12, 0x34, 0x56, 0x78], log = [];
try {
    checked(image, 9);
} catch (e) {
    log[log.length] = e.message;
} finally {
    log[log.length] = "done";
}
try { checked(image, 1); } finally { image = null; }
try {
    try { throw "inner"; } catch (x) { throw x + " again"; }
} catch (outer) { WScript.Echo(outer); }
