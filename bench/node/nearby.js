#!/usr/bin/env node
'use strict';
// The distance --check allows between a zip's point and a place written for it (its
// verdict "nearby"), measured on the shipped data: for each distance D, the share of the
// zips whose own default name is a place of GeoNames whose point lies within D of the
// zip's. With --pairs D it writes instead, as a tsv table (zip, city, state), every pair of
// a zip and a place of its state that is none of the zip's names and lies, at each of its
// points, farther than 3 D from the zip: the check must call none of those nearby
// (bench/convert_places.sh runs it over them).
//   node bench/node/nearby.js [D...]
//   node bench/node/nearby.js --pairs D
const fs = require('fs');
const path = require('path');
const { milesBetween } = require('../../tools/zipdata/shapes');

const data = path.resolve(__dirname, '..', '..', 'data');
const lines = (file) => fs.readFileSync(path.join(data, file), 'utf8').split('\n').slice(1).filter(Boolean);

const zips = new Map(); // zip -> { city, state, point, names }, from its first line
for (const line of lines('us-zip-codes.tsv')) {
  const [zip, city, state, , , latitude, longitude] = line.split('\t');
  if (zips.has(zip)) zips.get(zip).names.add(city);
  else if (latitude !== '')
    zips.set(zip, { city, state, point: [Number(longitude), Number(latitude)], names: new Set([city]) });
}
const places = new Map(); // "CITY\tST" -> [points]
for (const line of lines('us-places.tsv')) {
  const [city, state, latitude, longitude] = line.split('\t');
  const key = `${city}\t${state}`;
  if (!places.has(key)) places.set(key, []);
  places.get(key).push([Number(longitude), Number(latitude)]);
}

// Every zip beside every far place of its state, one tsv line each, written as it goes.
function writeFarPairs(d) {
  const byState = new Map(); // state -> [[city, points]]
  for (const [key, points] of places) {
    const [city, state] = key.split('\t');
    if (!byState.has(state)) byState.set(state, []);
    byState.get(state).push([city, points]);
  }
  let out = 'zip\tcity\tstate\n';
  for (const [zip, { state, point, names }] of zips)
    for (const [city, points] of byState.get(state) ?? []) {
      if (!names.has(city) && points.every((p) => milesBetween(point, p) > 3 * d))
        out += `${zip}\t${city}\t${state}\n`;
      if (out.length > 1 << 20) {
        process.stdout.write(out); // on Linux a write to a pipe or a file is synchronous
        out = '';
      }
    }
  process.stdout.write(out);
}
if (process.argv[2] === '--pairs') {
  writeFarPairs(Number(process.argv[3]));
  return;
}

const distances = [];
for (const { city, state, point } of zips.values()) {
  const own = places.get(`${city}\t${state}`);
  if (own) distances.push(Math.min(...own.map((p) => milesBetween(point, p))));
}
const choices = process.argv.slice(2).map(Number);
console.log(`${zips.size} zips with a point; ${distances.length} whose own name is a place`);
for (const d of choices.length ? choices : [2, 3, 4, 5, 6, 8, 10]) {
  const within = distances.filter((m) => m <= d).length;
  console.log(`D = ${d} miles: ${within} of ${distances.length} (${(100 * within / distances.length).toFixed(1)}%) within D`);
}
