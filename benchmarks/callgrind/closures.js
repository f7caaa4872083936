// Cut down from the suite's closures.js for callgrind: the same work at a fifth of the rounds.
// closures: functions that read and update variables of the function that made them
// (counters, accumulators), closures made in a loop, composition of closures, and
// callbacks passed to script-level higher-order functions.

function makeCounter(start, step) {
  var count = start;
  function next() {
    count = count + step;
    return count;
  }
  return next;
}

function makeAdder(k) {
  return function (x) {
    return x + k;
  };
}

function compose(f, g) {
  return function (x) {
    return f(g(x));
  };
}

function each(list, fn) {
  var i;
  for (i = 0; i < list.length; i++) fn(list[i], i);
}

function reduce(list, fn, acc) {
  var i;
  for (i = 0; i < list.length; i++) acc = fn(acc, list[i]);
  return acc;
}

function makeAccount(balance) {
  var history = 0;
  var account = {
    deposit: function (n) {
      balance = balance + n;
      history = history + 1;
      return balance;
    },
    withdraw: function (n) {
      if (n > balance) return -1;
      balance = balance - n;
      history = history + 1;
      return balance;
    },
    state: function () {
      return balance * 100 + history;
    }
  };
  return account;
}

function makeMixer(seed) {
  var a = seed, b = 0;
  function step(n) {
    var i;
    for (i = 0; i < n; i++) {
      a = (a * 33 + i) & 65535;
      b = b ^ a;
    }
    return b;
  }
  return step;
}

function mixers(rounds) {
  var sum = 0, r, m;
  for (r = 0; r < rounds; r++) {
    m = makeMixer(r);
    sum = (sum + m(40) + m(25)) & 0x3fffffff;
  }
  return sum;
}

function counters(rounds) {
  var sum = 0, r, j, c1, c2;
  for (r = 0; r < rounds; r++) {
    c1 = makeCounter(r, 1);
    c2 = makeCounter(0, r & 7);
    for (j = 0; j < 20; j++) sum = (sum + c1() + c2()) & 0x3fffffff;
  }
  return sum;
}

function pipelines(rounds) {
  var sum = 0, r, j, f, add1, add2;
  for (r = 0; r < rounds; r++) {
    add1 = makeAdder(r & 15);
    add2 = makeAdder(3);
    f = compose(add1, compose(add2, add1));
    for (j = 0; j < 10; j++) sum = (sum + f(j)) & 0x3fffffff;
  }
  return sum;
}

function callbacks(rounds) {
  var data = [], i, r, total = 0, biggest = 0;
  for (i = 0; i < 50; i++) data.push((i * 37) % 101);
  for (r = 0; r < rounds; r++) {
    each(data, function (v, idx) {
      total = (total + v * idx + r) & 0x3fffffff;
      if (v > biggest) biggest = v;
    });
    total = (total + reduce(data, function (acc, v) { return acc + (v & r); }, 0)) & 0x3fffffff;
  }
  return total + biggest;
}

function accounts(n) {
  var list = [], i, r, a, sum = 0;
  for (i = 0; i < 40; i++) list.push(makeAccount(i * 10));
  for (r = 0; r < n; r++) {
    a = list[r % 40];
    a.deposit(r & 31);
    a.withdraw(r & 15);
  }
  for (i = 0; i < 40; i++) sum = (sum + list[i].state()) & 0x3fffffff;
  return sum;
}

var checksum = 0;
checksum = (checksum + counters(2000)) & 0x3fffffff;
checksum = (checksum + pipelines(2000)) & 0x3fffffff;
checksum = (checksum + callbacks(600)) & 0x3fffffff;
checksum = (checksum + accounts(30000)) & 0x3fffffff;
checksum = (checksum + mixers(8000)) & 0x3fffffff;
WScript.Echo("closures " + checksum + "\n");
