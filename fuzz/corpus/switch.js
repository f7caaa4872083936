// A switch with fall-through, a default in the middle and string cases.
function kind(section) {
    var flags = 0;
    switch (section.type) {
    case 1: flags |= 1;
    case 8: flags |= 2; break;
    default: flags = -1;
    case "note": { flags += 0x10; }
    case 6:
    }
    switch (flags) {}
    return flags;
}
WScript.Echo(kind({type: 1}), kind({type: "note"}), kind({'type': 3}));
