// Validates glTF files with the Khronos validator and prints one line per
// file: its name, the counts of errors, warnings, infos and hints, and the
// messages of every error and warning. Exits 1 when any file has an error
// or a warning, 2 when a file cannot be read.
//
//   node validate.js <file.glb|file.gltf>...
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

async function validate(file) {
    const bytes = new Uint8Array(fs.readFileSync(file));
    const folder = path.dirname(file);
    const report = await validator.validateBytes(bytes, {
        uri: path.basename(file),
        maxIssues: 0,
        externalResourceFunction: (uri) =>
            new Promise((resolve, reject) => {
                fs.readFile(path.join(folder, decodeURIComponent(uri)), (error, data) =>
                    error ? reject(error.toString()) : resolve(new Uint8Array(data)));
            }),
    });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints`);
    for (const m of issues.messages)
        if (m.severity <= 1)
            console.log(`  ${m.severity === 0 ? 'error' : 'warning'} ${m.code} ${m.pointer || ''}: ${m.message}`);
    return issues.numErrors + issues.numWarnings === 0;
}

async function main(files) {
    if (files.length === 0) {
        console.error('use: node validate.js <file.glb|file.gltf>...');
        return 2;
    }
    let clean = true;
    for (const file of files) {
        try {
            clean = (await validate(file)) && clean;
        } catch (error) {
            console.error(`${file}: ${error}`);
            return 2;
        }
    }
    return clean ? 0 : 1;
}

main(process.argv.slice(2)).then((status) => { process.exitCode = status; });
