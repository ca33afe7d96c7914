// Runs the Khronos glTF validator (installed by scripts/bootstrap into .npm-tools) on each file
// given and prints its counts and errors. Exit status 1 when any file has an error, 77 (the
// tests' "skipped") when the validator is not installed.
//   node scripts/validate-gltf.mjs FILE.glb ...
import { createRequire } from "node:module";
import { readFileSync } from "node:fs";
import { fileURLToPath } from "node:url";
import path from "node:path";

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, "..", ".npm-tools", "package.json"));
let validator;
try {
    validator = require("gltf-validator");
} catch {
    console.log("gltf-validator is not installed; scripts/bootstrap installs it where npm is");
    process.exit(77);
}

const files = process.argv.slice(2);
if (files.length === 0) {
    console.log("no glTF files to validate");
    process.exit(1);
}
let failed = false;
for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(readFileSync(file)), {
        maxIssues: 100,
    });
    const { numErrors, numWarnings } = report.issues;
    console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings`);
    for (const message of report.issues.messages) {
        if (message.severity === 0)
            console.log(`  error ${message.code} at ${message.pointer ?? ""}: ${message.message}`);
    }
    failed ||= numErrors > 0;
}
process.exit(failed ? 1 : 0);
