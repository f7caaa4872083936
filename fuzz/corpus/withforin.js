// with scopes and for-in over objects, declared and undeclared targets.
var segment = {address: 0x08000000, size: 4096, flags: 5}, names = "", total = 0;
with (segment) {
    total = address + size;
    flags <<= 1;
}
for (var key in segment) names += key + ",";
for (key in {a: 1, 'b c': 2, 3: 4,}) names += key;
for (var k = 0 in segment) ;
var o = {}; for (o.last in segment) ;
with (Math) x = floor(PI * 100) / 100, y = -x, z = typeof y, w = void 0;
delete o.last; delete segment["flags"];
