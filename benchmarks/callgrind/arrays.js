// Cut down from the suite's arrays.js for callgrind: the same work at smaller sizes.
// arrays: push and indexed reads and writes on arrays of a few hundred to a few hundred
// thousand elements (a sieve, a matrix product, a stack and a queue), sort with a script
// comparator on numbers and on records, and slice, concat, reverse, join, pop and shift.

var seed = 12345;
function nextRandom() {
  seed = (seed * 16807) % 2147483647;
  return seed;
}

function sieve(n) {
  var flags = new Array(n + 1), count = 0, i, j;
  for (i = 0; i <= n; i++) flags[i] = true;
  for (i = 2; i * i <= n; i++) {
    if (flags[i]) {
      for (j = i * i; j <= n; j += i) flags[j] = false;
    }
  }
  for (i = 2; i <= n; i++) {
    if (flags[i]) count++;
  }
  return count;
}

function matrix(n) {
  var a = [], b = [], c = [], i, j, k, row, s, sum = 0;
  for (i = 0; i < n; i++) {
    a.push([]);
    b.push([]);
    for (j = 0; j < n; j++) {
      a[i].push((i + j) % 10);
      b[i].push((i * j) % 7);
    }
  }
  for (i = 0; i < n; i++) {
    row = [];
    for (j = 0; j < n; j++) {
      s = 0;
      for (k = 0; k < n; k++) s += a[i][k] * b[k][j];
      row.push(s);
    }
    c.push(row);
  }
  for (i = 0; i < n; i++) sum = (sum + c[i][(i * 7) % n] * (i + 1)) % 1000003;
  return sum;
}

function byValue(x, y) {
  return x - y;
}

function byKeyThenId(p, q) {
  if (p.key != q.key) return p.key - q.key;
  return p.id - q.id;
}

function sorting(n) {
  var nums = [], recs = [], i, sum = 0;
  for (i = 0; i < n; i++) nums.push(nextRandom() % 100000);
  nums.sort(byValue);
  for (i = 1; i < n; i++) {
    if (nums[i - 1] > nums[i]) return -1;
  }
  for (i = 0; i < n; i += 97) sum = (sum + nums[i] * (i + 1)) % 1000003;
  for (i = 0; i < n / 4; i++) recs.push({ key: nextRandom() % 500, id: i, weight: i & 15 });
  recs.sort(byKeyThenId);
  for (i = 0; i < recs.length; i++) sum = (sum + recs[i].id * ((i & 255) + 1)) % 1000003;
  return sum;
}

function stackAndQueue(n) {
  var stack = [], queue = [], head = 0, i, v, sum = 0;
  for (i = 0; i < n; i++) {
    stack.push(i);
    if ((i & 3) == 3) sum = (sum + stack.pop() * 3) % 1000003;
    queue.push(i * 2);
    if ((i & 1) == 1) {
      v = queue[head];
      head++;
      sum = (sum + v) % 1000003;
    }
  }
  while (stack.length > 0) sum = (sum + stack.pop()) % 1000003;
  return sum + head;
}

function methods(rounds) {
  var base = [], i, r, part, joined, sum = 0, first;
  for (i = 0; i < 40; i++) base.push(i * 3);
  for (r = 0; r < rounds; r++) {
    part = base.slice(r % 10, 30 + (r % 10));
    part = part.concat([r, r + 1], base.slice(0, 5));
    part.reverse();
    first = part.shift();
    sum = (sum + first + part.pop() + part.length) % 1000003;
    if ((r & 15) == 0) {
      joined = part.join(",");
      sum = (sum + joined.length) % 1000003;
    }
  }
  return sum;
}

var checksum = 0;
checksum = (checksum + sieve(30000)) % 1000003;
checksum = (checksum + matrix(40)) % 1000003;
checksum = (checksum + sorting(8000)) % 1000003;
checksum = (checksum + stackAndQueue(20000)) % 1000003;
checksum = (checksum + methods(6000)) % 1000003;
WScript.Echo("arrays " + checksum + "\n");
