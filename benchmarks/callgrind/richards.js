// Cut down from the suite's richards.js for callgrind: 10 rounds instead of 80.
// richards: a small object-oriented workload in the style of the classic operating-system
// scheduler simulation. Six tasks (an idle task, a worker, two handlers, two devices) pass
// packets through queues under a priority scheduler. Stresses method calls on this,
// property reads and writes on small objects, linked lists, and null tests.

var ID_IDLE = 0;
var ID_WORKER = 1;
var ID_HANDLER_A = 2;
var ID_HANDLER_B = 3;
var ID_DEVICE_A = 4;
var ID_DEVICE_B = 5;
var TASK_COUNT = 6;

var KIND_DEVICE = 0;
var KIND_WORK = 1;
var DATA_SIZE = 4;

function Packet(link, owner, kind) {
  this.link = link;
  this.owner = owner;
  this.kind = kind;
  this.count = 0;
  this.data = [0, 0, 0, 0];
}

// Appends this packet at the end of the list that starts with head; answers the new head.
Packet.prototype.appendTo = function (head) {
  var p;
  this.link = null;
  if (head == null) return this;
  p = head;
  while (p.link != null) p = p.link;
  p.link = this;
  return head;
};

function TaskBlock(link, id, priority, queue, task) {
  this.link = link;
  this.id = id;
  this.priority = priority;
  this.queue = queue;
  this.task = task;
  this.pending = queue != null;
  this.waiting = true;
  this.held = false;
}

TaskBlock.prototype.blocked = function () {
  return this.held || (this.waiting && !this.pending);
};

function Kernel() {
  this.blocks = [];
  this.list = null;
  this.current = null;
  this.queueCount = 0;
  this.holdCount = 0;
  var i;
  for (i = 0; i < TASK_COUNT; i++) this.blocks.push(null);
}

Kernel.prototype.add = function (id, priority, queue, task) {
  var block = new TaskBlock(this.list, id, priority, queue, task);
  this.list = block;
  this.blocks[id] = block;
  return block;
};

Kernel.prototype.run = function () {
  var block = this.list, packet;
  while (block != null) {
    if (block.blocked()) {
      block = block.link;
    } else {
      this.current = block;
      packet = null;
      if (block.waiting) {
        packet = block.queue;
        block.queue = packet.link;
        block.pending = block.queue != null;
        block.waiting = false;
      }
      block = block.task.step(this, packet);
    }
  }
};

Kernel.prototype.release = function (id) {
  var block = this.blocks[id];
  block.held = false;
  if (block.priority > this.current.priority) return block;
  return this.current;
};

Kernel.prototype.holdSelf = function () {
  this.holdCount++;
  this.current.held = true;
  return this.current.link;
};

Kernel.prototype.waitSelf = function () {
  this.current.waiting = true;
  return this.current;
};

// Queues the packet on the task that it names and records the sender in it.
Kernel.prototype.send = function (packet) {
  var block = this.blocks[packet.owner];
  this.queueCount++;
  packet.link = null;
  packet.owner = this.current.id;
  if (block.queue == null) {
    block.queue = packet;
    block.pending = true;
    if (block.priority > this.current.priority) return block;
  } else {
    block.queue = packet.appendTo(block.queue);
  }
  return this.current;
};

function IdleTask(count) {
  this.control = 1;
  this.count = count;
}
IdleTask.prototype.step = function (kernel, packet) {
  this.count--;
  if (this.count == 0) return kernel.holdSelf();
  if ((this.control & 1) == 0) {
    this.control = this.control >> 1;
    return kernel.release(ID_DEVICE_A);
  }
  this.control = (this.control >> 1) ^ 0xD008;
  return kernel.release(ID_DEVICE_B);
};

function WorkerTask() {
  this.target = ID_HANDLER_A;
  this.letter = 0;
}
WorkerTask.prototype.step = function (kernel, packet) {
  var i;
  if (packet == null) return kernel.waitSelf();
  if (this.target == ID_HANDLER_A) this.target = ID_HANDLER_B;
  else this.target = ID_HANDLER_A;
  packet.owner = this.target;
  packet.count = 0;
  for (i = 0; i < DATA_SIZE; i++) {
    this.letter++;
    if (this.letter > 26) this.letter = 1;
    packet.data[i] = this.letter;
  }
  return kernel.send(packet);
};

function HandlerTask() {
  this.work = null;
  this.devices = null;
}
HandlerTask.prototype.step = function (kernel, packet) {
  var w, d, c;
  if (packet != null) {
    if (packet.kind == KIND_WORK) this.work = packet.appendTo(this.work);
    else this.devices = packet.appendTo(this.devices);
  }
  if (this.work != null) {
    w = this.work;
    c = w.count;
    if (c < DATA_SIZE) {
      if (this.devices != null) {
        d = this.devices;
        this.devices = d.link;
        d.count = w.data[c];
        w.count = c + 1;
        return kernel.send(d);
      }
    } else {
      this.work = w.link;
      return kernel.send(w);
    }
  }
  return kernel.waitSelf();
};

function DeviceTask() {
  this.stored = null;
  this.total = 0;
}
DeviceTask.prototype.step = function (kernel, packet) {
  var p;
  if (packet == null) {
    if (this.stored == null) return kernel.waitSelf();
    p = this.stored;
    this.stored = null;
    return kernel.send(p);
  }
  this.stored = packet;
  this.total = this.total + packet.count;
  return kernel.holdSelf();
};

function simulate(idleCount) {
  var kernel = new Kernel(), queue, idle, deviceA, deviceB;
  idle = kernel.add(ID_IDLE, 0, null, new IdleTask(idleCount));
  idle.waiting = false;

  queue = new Packet(null, ID_WORKER, KIND_WORK);
  queue = new Packet(queue, ID_WORKER, KIND_WORK);
  kernel.add(ID_WORKER, 1000, queue, new WorkerTask());

  queue = new Packet(null, ID_DEVICE_A, KIND_DEVICE);
  queue = new Packet(queue, ID_DEVICE_A, KIND_DEVICE);
  queue = new Packet(queue, ID_DEVICE_A, KIND_DEVICE);
  kernel.add(ID_HANDLER_A, 2000, queue, new HandlerTask());

  queue = new Packet(null, ID_DEVICE_B, KIND_DEVICE);
  queue = new Packet(queue, ID_DEVICE_B, KIND_DEVICE);
  queue = new Packet(queue, ID_DEVICE_B, KIND_DEVICE);
  kernel.add(ID_HANDLER_B, 3000, queue, new HandlerTask());

  deviceA = new DeviceTask();
  deviceB = new DeviceTask();
  kernel.add(ID_DEVICE_A, 4000, null, deviceA);
  kernel.add(ID_DEVICE_B, 5000, null, deviceB);

  kernel.run();
  return kernel.queueCount * 10000 + kernel.holdCount + deviceA.total + deviceB.total;
}

var first = simulate(1000);
var checksum = 0;
var round;
for (round = 0; round < 10; round++) {
  checksum = (checksum + simulate(1000 + round * 10)) % 1000000007;
}
WScript.Echo("richards " + first + " " + checksum + "\n");
