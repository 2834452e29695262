// The zips within a distance of every zip of a list, by the npm package zipcodes' radius(),
// which measures the distance to every zip it knows for each question: a row "City, ST ZIP"
// for each, CR LF, as quellist-convert --within writes them.
// Usage: node radius.js LIST MILES OUTPUT
'use strict';
const fs = require('fs');
const zipcodes = require('zipcodes');

const [list, miles, output] = process.argv.slice(2);
const rows = [];
for (const line of fs.readFileSync(list, 'utf8').split(/\r\n|\n/)) {
  const zip = line.trim();
  if (!zip) continue;
  for (const place of zipcodes.radius(zip, Number(miles), true))
    rows.push(`${place.city}, ${place.state} ${place.zip}\r\n`);
}
fs.writeFileSync(output, rows.join(''));
