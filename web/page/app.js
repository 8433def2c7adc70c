// The web remote's page: the radio's screen and keys, volume and squelch,
// the hits with their recordings, and "Listen". Everything the radio shows
// comes over the WebSocket at /ws; what the page does goes back over it.
'use strict';

// The keypad as the window draws it: five rows of eleven columns (null: an
// empty cell), then the hold bar. [name, caption, caption with Func held]
const KEY_ROWS = [
  [['key_hold', 'HOLD', 'CC'], ['key_1', '1', 'PRI'], ['key_2', '2', 'WX'], ['key_3', '3', ''],
   ['key_f', 'FUNC', ''], ['key_menu', 'MENU', ''], ['key_left', '<', ''], ['key_right', '>', ''],
   ['key_push', 'PUSH', ''], ['key_cc', 'CC', ''], ['key_cconly', 'CC Only', '']],
  [['key_scan', 'SCAN', 'SRCH'], ['key_4', '4', ''], ['key_5', '5', ''], ['key_6', '6', ''],
   ['key_g1', 'G1', ''], ['key_g2', 'G2', ''], ['key_g3', 'G3', ''], ['key_g4', 'G4', ''],
   ['key_g5', 'G5', ''], ['key_pri', 'PRI', ''], ['key_wx', 'WX', '']],
  [['key_lo', 'L/O', ''], ['key_7', '7', 'RCL'], ['key_8', '8', ''], ['key_9', '9', ''],
   ['key_g6', 'G6', ''], ['key_g7', 'G7', ''], ['key_g8', 'G8', ''], ['key_g9', 'G9', ''],
   ['key_g0', 'G0', ''], ['key_srch', 'SRCH', ''], ['key_rcl', 'RCL', '']],
  [['key_light', 'LIGHT', ''], ['key_no', './no', ''], ['key_0', '0', ''], ['key_yes', 'E/yes', 'ATT'],
   null, null, ['key_m1', 'M1', ''], ['key_m2', 'M2', ''], ['key_m3', 'M3', ''],
   ['key_rev', 'REV', ''], ['key_att', 'ATT', '']],
  [['key_power', 'PWR', 'LOCK'], null, null, null, null, null, null, null, null, null,
   ['key_lock', 'LOCK', '']],
];
const HOLD_BAR = ['key_hold_bar', 'HOLD', ''];
const MAX_HITS = 100;
// Live audio kept at most this far ahead of the speaker; later frames are dropped.
const AUDIO_MAX_AHEAD_S = 1.0;
const AUDIO_LEAD_S = 0.08;
// The hits pushed have no database id; the list is read from the database at
// connect, and again this long after the last hit, for the ids and recordings.
const REFRESH_AFTER_HIT_MS = 2000;

const $ = (id) => document.getElementById(id);
let socket = null;
let liveHits = [];
let finding = false;
let refreshTimer = 0;
const listen = { on: false, ctx: null, rate: 0, channels: 1, next: 0, bytes: 0, frames: 0, dropped: 0 };
// For the page's tests and anyone curious: what arrived.
window.tollvane = { listen, screens: 0 };

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN)
    socket.send(JSON.stringify(message));
}

function keyName(key) {
  let name = key[1];
  if (key[0] === 'key_left') name = 'Left';
  else if (key[0] === 'key_right') name = 'Right';
  return key[2] ? name + ', Func ' + key[2] : name;
}

function buildKeypad() {
  const pad = $('keypad');
  const add = (key, extraClass) => {
    if (!key) {
      const gap = document.createElement('span');
      gap.className = 'gap';
      pad.appendChild(gap);
      return;
    }
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.key = key[0];
    button.textContent = key[1];
    button.setAttribute('aria-label', keyName(key));
    if (key[2]) {
      const small = document.createElement('small');
      small.textContent = key[2];
      button.appendChild(small);
    }
    if (extraClass) button.className = extraClass;
    button.addEventListener('click', () => {
      send({ t: 'key', key: key[0] });
      button.classList.add('sent');
      setTimeout(() => button.classList.remove('sent'), 150);
    });
    pad.appendChild(button);
  };
  KEY_ROWS.forEach((row) => row.forEach((key) => add(key)));
  add(HOLD_BAR, 'hold-bar');
}

function buildLevels() {
  for (const [id, type] of [['volume', 'vol'], ['squelch', 'sql']]) {
    const box = $(id);
    for (let level = 0; level <= 15; ++level)
      box.add(new Option(String(level), String(level)));
    box.value = '';
    box.addEventListener('change', () => send({ t: type, v: Number(box.value) }));
  }
}

function showScreen(message) {
  const lines = message.lines || [];
  for (let i = 0; i < 6; ++i) {
    const line = $('line' + (i + 1));
    const text = lines[i] || '';
    if (line.textContent !== text) line.textContent = text;
  }
  const signal = Math.max(0, Math.min(5, message.signal | 0));
  const bars = $('signal').children;
  for (let i = 0; i < bars.length; ++i) bars[i].classList.toggle('on', i < signal);
  $('signal').setAttribute('aria-label', 'Signal ' + signal + ' of 5');
  $('screen').setAttribute('aria-label', 'Radio screen: ' + lines.filter((l) => l.trim()).join(', '));
  window.tollvane.screens++;
}

function hitRow(hit) {
  const row = document.createElement('tr');
  row.dataset.id = hit.id;
  for (const field of ['start', 'end', 'system', 'group', 'channel', 'frequency', 'code']) {
    const cell = document.createElement('td');
    cell.textContent = hit[field] || '';
    row.appendChild(cell);
  }
  const play = document.createElement('td');
  if (hit.recording && hit.id >= 0) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'play';
    button.textContent = 'Play';
    button.setAttribute('aria-label', 'Play ' + [hit.start, hit.system, hit.channel].filter(Boolean).join(' '));
    button.addEventListener('click', () => playRecording(hit.id, row));
    play.appendChild(button);
  }
  row.appendChild(play);
  return row;
}

function showHits(hits) {
  const body = $('hitrows');
  body.replaceChildren(...hits.map(hitRow));
}

function playRecording(id, row) {
  const player = $('player');
  document.querySelectorAll('#hitrows tr.playing').forEach((r) => r.classList.remove('playing'));
  row.classList.add('playing');
  player.src = '/recordings/' + encodeURIComponent(id);
  player.play().catch(() => {});
}

async function refreshLiveHits() {
  try {
    const reply = await fetch('/api/hits?limit=' + MAX_HITS);
    if (!reply.ok) return;
    const stored = await reply.json();
    liveHits = (stored.hits || []).slice(0, MAX_HITS);
    if (!finding) showHits(liveHits);
  } catch (e) {
    // The pushed hits stay shown.
  }
}

function addLiveHit(hit) {
  clearTimeout(refreshTimer);
  refreshTimer = setTimeout(refreshLiveHits, REFRESH_AFTER_HIT_MS);
  liveHits.unshift(hit);
  if (liveHits.length > MAX_HITS) liveHits.length = MAX_HITS;
  if (finding) return;
  const body = $('hitrows');
  body.insertBefore(hitRow(hit), body.firstChild);
  while (body.children.length > MAX_HITS) body.removeChild(body.lastChild);
}

async function find(words) {
  finding = words.trim() !== '';
  if (!finding) {
    showHits(liveHits);
    return;
  }
  try {
    const reply = await fetch('/api/hits?find=' + encodeURIComponent(words) + '&limit=500');
    if (reply.status === 401) {
      location.href = '/login';
      return;
    }
    const found = await reply.json();
    showHits(found.hits || []);
  } catch (e) {
    $('link').textContent = 'Finding failed: ' + e;
  }
}

// "Listen": 16-bit PCM frames played one after another on Web Audio. A
// frame that would start more than a second from now is late and dropped,
// so the sound never lags the radio by more than that.
function playFrame(data) {
  listen.bytes += data.byteLength;
  listen.frames++;
  const ctx = listen.ctx;
  if (!ctx || !listen.rate) return;
  const channels = Math.max(1, listen.channels);
  const samples = new Int16Array(data, 0, data.byteLength >> 1);
  const count = Math.floor(samples.length / channels);
  if (count === 0) return;
  const now = ctx.currentTime;
  if (listen.next < now + AUDIO_LEAD_S / 2) listen.next = now + AUDIO_LEAD_S;
  if (listen.next - now > AUDIO_MAX_AHEAD_S) {
    listen.dropped++;
    return;
  }
  const buffer = ctx.createBuffer(channels, count, listen.rate);
  for (let c = 0; c < channels; ++c) {
    const out = buffer.getChannelData(c);
    for (let i = 0; i < count; ++i) out[i] = samples[i * channels + c] / 32768;
  }
  const source = ctx.createBufferSource();
  source.buffer = buffer;
  source.connect(ctx.destination);
  source.start(listen.next);
  listen.next += buffer.duration;
}

function setListening(on) {
  listen.on = on;
  $('listen').setAttribute('aria-pressed', on ? 'true' : 'false');
  if (on) {
    if (!listen.ctx) listen.ctx = new AudioContext();
    listen.ctx.resume().catch(() => {});
    listen.next = 0;
  } else if (listen.ctx) {
    listen.ctx.suspend().catch(() => {});
  }
  send({ t: 'listen', on });
}

function connect() {
  const scheme = location.protocol === 'https:' ? 'wss://' : 'ws://';
  socket = new WebSocket(scheme + location.host + '/ws');
  socket.binaryType = 'arraybuffer';
  socket.addEventListener('open', () => {
    $('link').textContent = 'Connected';
    if (listen.on) send({ t: 'listen', on: true });
  });
  socket.addEventListener('close', () => {
    $('link').textContent = 'Not connected; trying again...';
    // A session the server no longer knows (it was restarted) logs in anew.
    fetch('/api/hits?limit=1')
      .then((reply) => {
        if (reply.status === 401) location.href = '/login';
        else setTimeout(connect, 2000);
      })
      .catch(() => setTimeout(connect, 2000));
  });
  socket.addEventListener('message', (event) => {
    if (event.data instanceof ArrayBuffer) {
      if (listen.on) playFrame(event.data);
      return;
    }
    let message;
    try {
      message = JSON.parse(event.data);
    } catch (e) {
      return;
    }
    if (message.t === 'screen') showScreen(message);
    else if (message.t === 'hits') {
      liveHits = (message.hits || []).slice(0, MAX_HITS);
      if (!finding) showHits(liveHits);
      // The database has them with their recordings, earlier runs' too.
      refreshLiveHits();
    } else if (message.t === 'hit') addLiveHit(message.hit);
    else if (message.t === 'audio') {
      listen.rate = message.rate;
      listen.channels = message.channels || 1;
      listen.next = 0;
    }
  });
}

document.addEventListener('DOMContentLoaded', () => {
  buildKeypad();
  buildLevels();
  $('findform').addEventListener('submit', (event) => {
    event.preventDefault();
    find($('find').value);
  });
  $('find').addEventListener('search', () => find($('find').value));
  $('listen').addEventListener('click', () => setListening(!listen.on));
  connect();
});
