// The xorshift loop of the suite's loops.js alone, 200 000 rounds, for callgrind.
function xorshift(n) {
  var x = 2463534242, acc = 0, i;
  for (i = 0; i < n; i++) {
    x = x ^ (x << 13);
    x = x ^ (x >>> 17);
    x = x ^ (x << 5);
    acc = (acc + (x & 1023)) | 0;
  }
  return acc;
}
WScript.Echo(xorshift(200000)+"\n");
