// The converter's job done with the npm package zipcodes: every zip code to "City, ST ZIP",
// every "City, ST" to a row for each of its zip codes, one row a line, CR LF.
// Usage: node convert.js LIST OUTPUT
'use strict';
const fs = require('fs');
const zipcodes = require('zipcodes');

const [list, output] = process.argv.slice(2);
const out = fs.openSync(output, 'w');
let pending = [];
let pendingBytes = 0;
const flush = () => {
  fs.writeSync(out, pending.join(''));
  pending = [];
  pendingBytes = 0;
};
const emit = (row) => {
  pending.push(row);
  pendingBytes += row.length;
  if (pendingBytes > 1 << 20) flush();
};
const text = fs.readFileSync(list, 'utf8');
for (const raw of text.split(/\r\n|\r/)) {
  const entry = raw.replace(/\t/g, '').trim().toUpperCase();
  if (!entry) continue;
  if (/^\d{5}$/.test(entry)) {
    const place = zipcodes.lookup(entry);
    if (place) emit(`${place.city}, ${place.state} ${place.zip}\r\n`);
    continue;
  }
  const comma = entry.indexOf(',');
  if (comma < 0) continue;
  const places = zipcodes.lookupByName(entry.slice(0, comma).trim(), entry.slice(comma + 1).trim());
  for (const place of places) emit(`${place.city}, ${place.state} ${place.zip}\r\n`);
}
flush();
fs.closeSync(out);
