// Under Node the module's loader uses require and __dirname, which an ES
// module does not have: both made from import.meta.url.
import { createRequire } from 'module';
import { fileURLToPath } from 'url';
import { dirname } from 'path';
const require = createRequire(import.meta.url);
const __dirname = dirname(fileURLToPath(import.meta.url));
