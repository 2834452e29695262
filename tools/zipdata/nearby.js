#!/usr/bin/env node
'use strict';
// The distance --check allows between a zip's point and a place written for it (its
// verdict "nearby"), measured on the shipped data: for each distance D, the share of the
// zips whose own default name is a place of GeoNames whose point lies within D of the
// zip's, and how many pairs of a zip and another place of its state lie farther than 3 D
// apart (the check must call none of those nearby).
//   node tools/zipdata/nearby.js [D...]
const fs = require('fs');
const path = require('path');
const { milesBetween } = require('./shapes');

const data = path.resolve(__dirname, '..', '..', 'data');
const lines = (file) => fs.readFileSync(path.join(data, file), 'utf8').split('\n').slice(1).filter(Boolean);

const zips = new Map(); // zip -> { city, state, point }, its first line
for (const line of lines('us-zip-codes.tsv')) {
  const [zip, city, state, , , latitude, longitude] = line.split('\t');
  if (!zips.has(zip) && latitude !== '') zips.set(zip, { city, state, point: [Number(longitude), Number(latitude)] });
}
const places = new Map(); // "CITY\tST" -> [points]
for (const line of lines('us-places.tsv')) {
  const [city, state, latitude, longitude] = line.split('\t');
  const key = `${city}\t${state}`;
  if (!places.has(key)) places.set(key, []);
  places.get(key).push([Number(longitude), Number(latitude)]);
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
