// Runs the Khronos glTF validator on one .gltf or .glb file, resources beside it included.
// Prints every error and warning, one a line; exits 1 when there is an error, 2 when the file
// could not be validated at all.
const fs = require("fs");
const path = require("path");
const validator = require("gltf-validator");

const file = process.argv[2];
if (!file) {
  console.error("usage: node validate.js FILE.gltf|FILE.glb");
  process.exit(2);
}
const full = path.resolve(file);
let bytes;
try {
  bytes = fs.readFileSync(full);
} catch (err) {
  console.error(String(err));
  process.exit(2);
}
validator
  .validateBytes(new Uint8Array(bytes), {
    uri: path.basename(full),
    maxIssues: 100,
    externalResourceFunction: (uri) =>
      new Promise((resolve, reject) => {
        fs.readFile(path.resolve(path.dirname(full), decodeURIComponent(uri)), (err, data) =>
          err ? reject(err.toString()) : resolve(data));
      }),
  })
  .then(
    (report) => {
      for (const m of report.issues.messages)
        if (m.severity <= 1)
          console.log(`${m.severity === 0 ? "error" : "warning"} ${m.code} ${m.pointer || ""}: ${m.message}`);
      process.exit(report.issues.numErrors > 0 ? 1 : 0);
    },
    (reason) => {
      console.error(String(reason));
      process.exit(2);
    });
